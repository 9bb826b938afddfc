// nerim-widget-gallery [OUTPUT.png]: shows the input controls in their states (valid, invalid,
// read-only, with a spin button; frames unfolded, folded, not collapsible and disabled) and, given
// a file name, saves a screenshot of them with the invalid field's tooltip and ends. Run it on a
// display or under xvfb-run -a -s "-screen 0 1280x800x24".
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "widgets/application.h"
#include "widgets/qmt_edit.h"
#include "widgets/qmt_frame.h"
#include "widgets/qmt_spin_button.h"

using namespace nerim;

namespace {

TQmtEdit* AddField(QGridLayout* grid, const QString& label, TValueType type, const QString& text) {
    const int row = grid->rowCount();
    auto* edit = new TQmtEdit;
    edit->SetValueType(type);
    edit->setText(text);
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

// Two 9 x 10 pictures, a minus sign (unfolded) and a plus sign (folded) in a box, on a magenta
// background that the bottom-left pixel makes transparent.
QPixmap FoldGlyph() {
    QPixmap glyph(18, 10);
    glyph.fill(Qt::magenta);
    QPainter p(&glyph);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 8, 8);
    p.drawRect(9, 0, 8, 8);
    p.drawLine(2, 4, 6, 4);
    p.drawLine(11, 4, 15, 4);
    p.drawLine(13, 2, 13, 6);
    p.end();
    return glyph;
}

TQmtFrame* AddFrame(QVBoxLayout* column, const QString& caption, int fields) {
    auto* frame = new TQmtFrame(caption);
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < fields; ++i)
        AddField(grid, QStringLiteral("Campo %1").arg(i + 1), typDouble, QStringLiteral("%1.000").arg(i));
    column->addWidget(frame);
    return frame;
}

}  // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    app.setApplicationDisplayName(QStringLiteral("Nerim"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Controles de Nerim"));
    auto* columns = new QHBoxLayout(&window);

    auto* fields = new QGridLayout;
    columns->addLayout(fields);
    auto* width = AddField(fields, QStringLiteral("Anchura"), typDouble, QStringLiteral("30.000"));
    width->setToolTip(QStringLiteral("Anchura del dominio"));
    width->SetUnits(QStringLiteral("m"));
    auto* readOnly = AddField(fields, QStringLiteral("Sólo lectura"), typDouble, QString());
    readOnly->SetAsFloat(2.5);
    readOnly->setReadOnly(true);
    auto* spin = AddField(fields, QStringLiteral("Nº celdas izq."), typInteger, QStringLiteral("12"));
    spin->SetUseSpin(true);
    auto* spinInvalid = AddField(fields, QStringLiteral("Nº celdas dcha."), typInteger, QStringLiteral("1.5"));
    spinInvalid->SetUseSpin(true);
    spinInvalid->Validate();
    auto* name = AddField(fields, QStringLiteral("Nombre"), typIdentifier, QStringLiteral("capa/1"));
    name->Validate();
    auto* invalid = AddField(fields, QStringLiteral("Centro"), typDouble, QStringLiteral("10.0001"));
    invalid->setToolTip(QStringLiteral("Centro de la subzona"));
    invalid->SetUnits(QStringLiteral("m"));
    invalid->SetMaxValue(10.0);
    invalid->Validate();  // its tooltip is shown below it
    // Room below the last field for its tooltip.
    fields->setColumnMinimumWidth(1, 400);
    fields->setRowStretch(fields->rowCount(), 1);

    auto* frames = new QVBoxLayout;
    columns->addLayout(frames);
    auto* fixed = AddFrame(frames, QStringLiteral("Subzonas en  X"), 2);
    fixed->SetCollapsable(false);
    auto* open = AddFrame(frames, QStringLiteral("   Desplegado"), 2);
    open->SetGlyph(FoldGlyph());
    auto* folded = AddFrame(frames, QStringLiteral("   Plegado"), 2);
    folded->SetGlyph(FoldGlyph());
    folded->SetCollapsed(true);
    auto* disabled = AddFrame(frames, QStringLiteral("Desactivado"), 1);
    disabled->SetCollapsable(false);
    disabled->setEnabled(false);
    frames->addStretch(1);

    window.show();
    if (argc < 2) return app.exec();

    const QString output = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    QTimer::singleShot(300, [&] {
        QToolTip::showText(invalid->mapToGlobal(QPoint(8, invalid->height())), invalid->toolTip(), invalid);
        QTimer::singleShot(300, [&] {
            QRect area = window.frameGeometry();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->inherits("QTipLabel")) area = area.united(w->geometry());
            const QPixmap shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            status = shot.save(output) ? 0 : 1;
            app.quit();
        });
    });
    app.exec();
    return status;
}
