#include "app/bin/mesh_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <memory>

#include "app/fit_view.h"
#include "app/working_set.h"
#include "canvas/canvax_viewport.h"
#include "support/exception.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

// Qt's own notes (a missing runtime directory and the like) are not the tool's output.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The application object the drawing of text needs (fonts come from the platform), on the
// offscreen platform, while the picture is made.
class TPictureApplication {
public:
    TPictureApplication() {
        if (QCoreApplication::instance()) return;
        qInstallMessageHandler(QuietQtMessages);
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

private:
    int argc_ = 3;
    char name_[11] = "nerim-mesh";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

TMatrixRef Matrix(const TCETamrixMesh& mesh, const std::string& name) {
    for (const TMeshVariable& variable : mesh.Variables())
        if (variable.Name == name) return variable.Matrix;
    return {};
}

}  // namespace

void WriteMeshPicture(TWorkingSet& Set, const TPictureRequest& Picture) {
    const TPictureApplication application;  // outlives the view
    TCETamrixMesh& mesh = Set.Mesh();
    mesh.SetCurrentSubZoneX(mesh.SubZoneXCount() > 0 ? 0 : -1);
    mesh.SetCurrentSubZoneY(mesh.SubZoneYCount() > 0 ? 0 : -1);
    mesh.SetShownVariable(Matrix(mesh, Picture.Variable));
    mesh.SetPickedCell(Picture.PickI, Picture.PickJ);

    TCanvaxViewport view(QSize(Picture.Width, Picture.Height));
    view.SetCanvax(&Set.Canvax());
    FitView(view, mesh.Width(), mesh.Height());
    view.PaintBuffer();
    const QImage& image = view.BufferImage();
    if (image.isNull() || !image.save(QString::fromStdString(Picture.File.string()), "PNG"))
        throw EInOutError("Error de entrada/salida: no se puede guardar la imagen " + QuotedName(Picture.File));
    view.SetCanvax(nullptr);
}

}  // namespace nerim
