#include "app/windows/nerim_program.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QTimer>

#include "app/configuration.h"
#include "app/nerim_command.h"
#include "app/window_texts.h"
#include "app/windows/frm_form1.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_delta_graph.h"
#include "objects/widget/message_box_information.h"
#include "support/internacionalization.h"
#include "support/paths.h"
#include "support/process.h"
#include "widgets/application.h"
#include "widgets/toolkit_language.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void PrintLine(std::FILE* stream, const std::string& text) {
    std::fprintf(stream, "%s\n", text.c_str());
    std::fflush(stream);
}

// The string table for the messages written before the window exists.
void LoadStringsQuietly() {
    try {
        const std::string directory = ProgramDirectory();
        const TConfiguration configuration(JoinPath(directory, kConfigurationFileName), directory);
        TInternacionalization strings;
        strings.LoadStringTable(configuration.StringsFile());
    } catch (const std::exception&) {
        // The messages fall back to their own wording.
    }
}

// Saves the window's picture and ends the program.
void SaveScreenshot(TfrmNerim& window, const QString& file) {
    const bool saved = window.grab().save(file);
    if (!saved) PrintLine(stderr, "nerim: cannot write " + file.toStdString());
    QCoreApplication::exit(saved ? 0 : 1);
}

}  // namespace

int RunNerim(int& argc, char** argv, const TNerimRunOptions& Options) {
    const std::vector<std::string> raw(argv + 1, argv + argc);
    try {
        const TNerimCommand early = ParseNerimCommand(raw);
        if (early.Help) {
            std::fputs(NerimUsage().c_str(), stdout);
            return 0;
        }
        if (early.Version) {
            PrintLine(stdout, Options.ProgramName + " " + Options.Version);
            return 0;
        }
    } catch (const TNerimUsageError&) {
        // Judged again once the toolkit has taken its options out.
    }
    const bool display = HasDisplay(raw, Environment);
    if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");

    TApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(kSettingsOrganization));
    QCoreApplication::setApplicationName(QStringLiteral("Nerim"));
    QCoreApplication::setApplicationVersion(QString::fromStdString(Options.Version));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Nerim"));
    InstallMessageBoxInformation();

    TNerimCommand command;
    try {
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        std::vector<std::string> list;
        for (const QString& a : arguments) list.push_back(QFile::encodeName(a).toStdString());
        command = ParseNerimCommand(list);
    } catch (const TNerimUsageError& error) {
        std::fprintf(stderr, "%s: %s\n\n%s", Options.ProgramName.c_str(), error.Message.c_str(), NerimUsage().c_str());
        return 2;
    }

    const bool unattended = !display || IsUnattendedPlatform(QGuiApplication::platformName().toStdString());
    if (unattended && !command.Project && !command.Screenshot) {
        LoadStringsQuietly();
        PrintLine(stderr, WindowString(wsNeedsDisplay, "The Nerim window needs a display; without one, "
                                                       "nerim PROJECT.DAT or nerim-mesh PROJECT.DAT meshes a project."));
        return 2;
    }
    // Without anybody to click a message box away, messages go to standard error.
    if (unattended)
        app.SetReporter([](TApplication::TReportKind, const QString& message) {
            PrintLine(stderr, message.toStdString());
        });

    TNerimWindowOptions windowOptions;
    windowOptions.TranslationMode = Options.TranslationMode;
    windowOptions.Unattended = unattended;
    if (command.Project) windowOptions.BatchProject = QFile::decodeName(command.Project->c_str());
    TfrmNerim window(windowOptions);
    QObject::connect(&window, &TfrmNerim::BatchFinished, &app, [](int status) { QCoreApplication::exit(status); });
    // The toolkit's dialogs and menus in the language of the strings file.
    SetToolkitLanguage(QString::fromStdString(WindowString(wsInterfaceLanguage, "es")));
    TForm1 form1;
    TranslateComponent(window.Internacionalization(), &form1);
    // Over the main window, as its dialog.
    TfrmMeshDeltaGraph quality(&window);
    TranslateComponent(window.Internacionalization(), &quality);
    window.SetQualityWindow(&quality);
    window.show();

    const std::optional<QString> screenshot =
        command.Screenshot ? std::optional<QString>(QFile::decodeName(command.Screenshot->c_str())) : std::nullopt;
    const auto takeScreenshotLater = [&window, screenshot] {
        if (screenshot) QTimer::singleShot(400, &window, [&window, file = *screenshot] { SaveScreenshot(window, file); });
    };
    if (command.Open) {
        const QString file = QFile::decodeName(command.Open->c_str());
        QTimer::singleShot(0, &window, [&window, file, takeScreenshotLater] {
            // The picture is taken whatever the opening did, so that a failure never hangs it.
            struct TAfter {
                std::function<void()> Run;
                ~TAfter() { Run(); }
            } after{takeScreenshotLater};
            window.OpenAndGenerate(file);
        });
    } else {
        takeScreenshotLater();
    }

    const int status = TApplication::exec();
    return window.BatchFailed() ? 1 : status;
}

}  // namespace nerim
