#include "widgets/qmt_frame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include "tests/widgets/widget_test_support.h"

namespace nerim {
namespace {

// A 200 x 215 frame placed by hand (no layout) in a shown window, with one child field.
struct PlacedFrame {
    QWidget window;
    TQmtFrame* frame = new TQmtFrame("Subzonas en  X", &window);
    QLineEdit* field = new QLineEdit(frame);
    PlacedFrame() {
        window.resize(300, 300);
        frame->setGeometry(10, 10, 200, 215);
        field->setGeometry(10, 40, 100, 22);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void Click(QPoint at = {}) { QTest::mouseClick(frame, Qt::LeftButton, {}, at.isNull() ? frame->CaptionBox().center() : at); }
};

// Counts the pixels of the frame's picture inside a rectangle that pass a test (the text is
// anti-aliased, so colours are told apart by kind, not exactly).
template <class Test>
int Count(TQmtFrame& frame, const QRect& area, Test test) {
    const QImage image = frame.grab().toImage();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixelColor(x, y));
    return n;
}
bool Reddish(const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; }
bool Bluish(const QColor& c) { return c.blue() > c.green() + 60 && c.blue() > c.red() + 60; }

// Red unfolded half, blue folded half, white transparent corner.
QPixmap TwoColourGlyph() {
    QPixmap glyph(8, 4);
    glyph.fill(Qt::red);
    QPainter p(&glyph);
    p.fillRect(4, 0, 4, 4, Qt::blue);
    p.fillRect(0, 3, 1, 1, Qt::white);
    p.end();
    return glyph;
}

QColor GlyphPixel(TQmtFrame& frame) {
    return frame.grab().toImage().pixelColor(frame.CaptionBox().topLeft() + QPoint(4, 4));
}

TEST(QmtFrame, FoldsToItsCaptionBoxAndBack) {
    PlacedFrame f;
    EXPECT_EQ(f.frame->FullHeight(), 215);
    const QRect box = f.frame->CaptionBox();
    EXPECT_EQ(box.topLeft(), QPoint(7, 2));
    bool seen = true;
    f.frame->OnCaptionClick = [&](TQmtFrame&, bool& expanded) { seen = expanded; };
    f.Click();
    EXPECT_FALSE(seen);
    EXPECT_TRUE(f.frame->Collapsed());
    EXPECT_EQ(f.frame->height(), box.bottom() + 1);
    EXPECT_FALSE(f.field->isVisible()) << "folded children are out of Tab's reach";
    EXPECT_EQ(f.window.height(), 300) << "placed by hand: the window keeps its size";
    f.Click();
    EXPECT_TRUE(f.frame->Expanded());
    EXPECT_EQ(f.frame->height(), 215);
    EXPECT_TRUE(f.field->isVisible());
}

TEST(QmtFrame, PressMustBeginOnTheBoxEdgesIncluded) {
    PlacedFrame f;
    const QRect box = f.frame->CaptionBox();
    QTest::mousePress(f.frame, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(f.frame, Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(f.frame->Expanded());
    EXPECT_EQ(f.frame->height(), 215);
    f.Click(box.bottomRight() + QPoint(1, 1));
    EXPECT_TRUE(f.frame->Expanded());
    f.Click(box.bottomRight());
    EXPECT_FALSE(f.frame->Expanded());
    // The release may happen anywhere.
    QTest::mousePress(f.frame, Qt::LeftButton, {}, box.topLeft());
    EXPECT_TRUE(f.frame->CaptionPressed());
    QTest::mouseRelease(f.frame, Qt::LeftButton, {}, QPoint(150, 5));
    EXPECT_TRUE(f.frame->Expanded());
    EXPECT_FALSE(f.frame->CaptionPressed());
}

TEST(QmtFrame, NotCollapsableTogglesStateAndGlyphOnly) {
    PlacedFrame f;
    f.frame->SetCollapsable(false);
    f.frame->SetGlyph(TwoColourGlyph());
    EXPECT_TRUE(Reddish(GlyphPixel(*f.frame)));
    EXPECT_EQ(f.frame->focusPolicy(), Qt::NoFocus);
    f.Click();
    EXPECT_TRUE(f.frame->Collapsed());
    EXPECT_TRUE(Bluish(GlyphPixel(*f.frame)));
    EXPECT_EQ(f.frame->height(), 215);
    EXPECT_TRUE(f.field->isVisible());
}

TEST(QmtFrame, HandlerThatSetsTheFlagBackKeepsHeightAndGlyph) {
    PlacedFrame f;
    f.frame->SetGlyph(TwoColourGlyph());
    f.frame->OnCaptionClick = [](TQmtFrame&, bool& expanded) { expanded = true; };
    f.Click();
    EXPECT_EQ(f.frame->height(), 215);
    EXPECT_TRUE(f.frame->Expanded());
    EXPECT_TRUE(f.frame->Collapsed());
    EXPECT_TRUE(Reddish(GlyphPixel(*f.frame)));
}

TEST(QmtFrame, CollapsedFromCodeFoldsOnlyBeforeTheFirstShow) {
    PlacedFrame f;
    f.frame->SetCollapsed(true);
    EXPECT_FALSE(f.frame->Expanded());
    EXPECT_EQ(f.frame->height(), 215);
    QWidget window;
    auto* early = new TQmtFrame("Plegado", &window);
    early->setGeometry(0, 0, 150, 120);
    early->SetCollapsed(true);
    window.show();
    EXPECT_EQ(early->FullHeight(), 120);
    EXPECT_EQ(early->height(), early->FoldedHeight());
}

TEST(QmtFrame, DisabledCaptionIsEngraved) {
    PlacedFrame f;
    // Inside the outlines of the caption box.
    const QRect text = f.frame->CaptionBox().adjusted(2, 2, -2, -2);
    const QColor light = f.frame->palette().color(QPalette::Disabled, QPalette::Light);
    const QColor dark = f.frame->palette().color(QPalette::Disabled, QPalette::Dark);
    const auto lit = [&](const QColor& c) { return c == light; };
    const auto shaded = [&](const QColor& c) { return !Reddish(c) && c.value() <= dark.value() + 10; };
    EXPECT_GT(Count(*f.frame, text, Reddish), 10);
    const int litEnabled = Count(*f.frame, text, lit);
    f.frame->setEnabled(false);
    EXPECT_EQ(Count(*f.frame, text, Reddish), 0);
    // The highlight copy one pixel lower right shows beside the shadow copy.
    EXPECT_GT(Count(*f.frame, text, lit), litEnabled + 3);
    EXPECT_GT(Count(*f.frame, text, shaded), 10);
}

TEST(QmtFrame, SpaceAndEnterFoldAFocusedFrame) {
    PlacedFrame f;
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    f.frame->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(f.frame->hasFocus());
    QTest::keyClick(f.frame, Qt::Key_Space);
    EXPECT_FALSE(f.frame->Expanded());
    EXPECT_EQ(f.frame->height(), f.frame->FoldedHeight());
    QTest::keyClick(f.frame, Qt::Key_Return);
    EXPECT_EQ(f.frame->height(), 215);
}

TEST(QmtFrame, AKeyAFieldLeavesUnhandledNeverFoldsTheFrame) {
    PlacedFrame f;
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    f.field->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(f.field->hasFocus());
    // The field does not take Enter: the key goes on to the frame, which leaves it.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(f.field, key);
        EXPECT_TRUE(f.frame->Expanded()) << key;
        EXPECT_EQ(f.frame->height(), 215) << key;
    }
}

// The 3-D outline on a rendered frame: shadow then highlight, one pixel apart, the highlight's
// right and bottom lines being the widget's last column and row.
TEST(QmtFrame, TheOutlineHighlightEndsOnTheLastColumnAndRow) {
    QWidget window;
    auto* frame = new TQmtFrame(&window);  // no caption: the top line runs across
    frame->setGeometry(0, 0, 120, 90);
    QPalette palette = frame->palette();
    const QColor light(0, 200, 0), dark(0, 0, 200), face(230, 230, 230);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Light, light);
        palette.setColor(group, QPalette::Dark, dark);
        palette.setColor(group, QPalette::Window, face);
    }
    frame->setPalette(palette);
    for (const bool enabled : {true, false}) {
        frame->setEnabled(enabled);
        const QImage image = frame->grab().toImage();
        const int w = image.width(), h = image.height(), midX = w / 2, midY = h / 2;
        EXPECT_EQ(image.pixelColor(w - 1, midY), light) << enabled;
        EXPECT_EQ(image.pixelColor(w - 2, midY), dark) << enabled;
        EXPECT_EQ(image.pixelColor(midX, h - 1), light) << enabled;
        EXPECT_EQ(image.pixelColor(midX, h - 2), dark) << enabled;
        EXPECT_EQ(image.pixelColor(2, midY), dark) << enabled;
        EXPECT_EQ(image.pixelColor(3, midY), light) << enabled;
        EXPECT_NE(image.pixelColor(1, midY), dark) << enabled;
        int top = 0;
        while (top < midY && image.pixelColor(midX, top) != dark) ++top;
        ASSERT_LT(top, midY) << enabled;
        EXPECT_EQ(image.pixelColor(midX, top + 1), light) << enabled;
        EXPECT_EQ(image.pixelColor(w - 1, top), face) << enabled;  // the highlight starts a row lower
    }
}

TEST(QmtFrame, InAVerticalLayoutTheWindowAndPanelsFollow) {
    // window (no layout) > panel placed by hand > vertical layout > frame, label
    QWidget window;
    window.resize(300, 400);
    auto* panel = new QFrame(&window);
    panel->setGeometry(0, 0, 300, 300);
    auto* layout = new QVBoxLayout(panel);
    auto* frame = new TQmtFrame("Opciones");
    auto* inner = new QVBoxLayout(frame);
    for (int i = 0; i < 4; ++i) inner->addWidget(new QLineEdit);
    layout->addWidget(frame);
    layout->addWidget(new QLabel("debajo"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int full = frame->height();
    QTest::mouseClick(frame, Qt::LeftButton, {}, frame->CaptionBox().center());
    const int delta = full - frame->FoldedHeight();
    ASSERT_GT(delta, 50);
    EXPECT_EQ(panel->height(), 300 - delta);
    EXPECT_EQ(window.height(), 400 - delta);
    QTest::mouseClick(frame, Qt::LeftButton, {}, frame->CaptionBox().center());
    EXPECT_EQ(frame->height(), full);
    EXPECT_EQ(panel->height(), 300);
    EXPECT_EQ(window.height(), 400);
}

TEST(QmtFrame, ChildrenBelowTheCaptionWhateverTheTitle) {
    TQmtFrame frame("Subzonas en  Y");
    const QMargins m = frame.contentsMargins();
    EXPECT_EQ(m.left(), 6);
    EXPECT_EQ(m.right(), 6);
    EXPECT_EQ(m.bottom(), 6);
    EXPECT_GT(m.top(), frame.CaptionBox().bottom());
    frame.setTitle("Otra");  // as translation does
    EXPECT_EQ(frame.Caption(), "Otra");
    EXPECT_EQ(frame.contentsMargins(), m);
}

}  // namespace
}  // namespace nerim
