#include "widgets/qmt_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "support/exception.h"
#include "tests/widgets/widget_test_support.h"
#include "widgets/qmt_spin_button.h"

namespace nerim {
namespace {

QColor Background(const TQmtEdit& edit) { return edit.palette().color(QPalette::Active, QPalette::Base); }
QColor Normal(QPalette::ColorRole role = QPalette::Base) { return QApplication::palette().color(role); }

// Two fields in a window with the focus in the first.
struct TwoFields {
    QWidget window;
    TQmtEdit* first = new TQmtEdit;
    TQmtEdit* second = new TQmtEdit;
    TwoFields() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        ShowActive(window);
        first->setFocus(Qt::TabFocusReason);
    }
};

TEST(QmtEdit, ChecksByTypeAndRangeWithTheFieldsLimits) {
    TQmtEdit edit;
    QString message;
    edit.SetValueType(typInteger);
    EXPECT_TRUE(edit.IsValidText("-123456", typInteger, message));
    EXPECT_FALSE(edit.IsValidText("1.5", typInteger, message));
    EXPECT_EQ(message, QString::fromUtf8("La cadena \"1.5\" no puede reconocerse como un número entero"));
    edit.SetMaxValue(10);
    EXPECT_TRUE(edit.IsValidText("10", typDouble, message));
    EXPECT_TRUE(edit.IsValidText("-", typDouble, message));
    EXPECT_FALSE(edit.IsValidText("10.0001", typDouble, message));
    EXPECT_EQ(message, "El valor debe estar comprendido entre: 0.000 y 10.000");
    // Custom: the handler decides; without one every text is valid.
    EXPECT_TRUE(edit.IsValidText("x", typCustom, message));
    edit.CustomIsValid = [](TQmtEdit&, const QString& text, bool& valid, QString& error) {
        valid = text == "ok";
        if (!valid) error = "solo ok";
    };
    EXPECT_FALSE(edit.IsValidText("x", typCustom, message));
    EXPECT_EQ(message, "solo ok");
}

TEST(QmtEdit, ReadsAndWritesItsValue) {
    TQmtEdit edit;
    edit.SetValueType(typDouble);
    for (const char* zero : {"", " - ", "+"}) {
        edit.setText(zero);
        EXPECT_EQ(edit.AsFloat(), 0.0) << zero;
    }
    edit.setText("abc");
    try {
        edit.AsFloat();
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "\"abc\" no es un número real válido");
    }
    EXPECT_THROW(edit.AsInteger(), EConvertError);
    edit.SetAsFloat(2.5);
    EXPECT_EQ(edit.text(), "2.500");
    EXPECT_EQ(edit.FloatFormat(), "%.3f");
    edit.SetFloatFormat("%.1f");
    edit.SetAsFloat(2.5);
    EXPECT_EQ(edit.text(), "2.5");
    // A real written into an integer field fails the field's own check.
    edit.SetValueType(typInteger);
    edit.SetFloatFormat("");
    edit.SetAsFloat(3);
    EXPECT_EQ(edit.text(), "3.000");
    edit.Validate();
    EXPECT_FALSE(edit.ShownError().isEmpty());
    edit.SetAsInteger(-7);
    EXPECT_EQ(edit.AsInteger(), -7);
    // Custom: the handlers convert; without them the value is 0 and the text empty.
    edit.SetValueType(typCustom);
    EXPECT_EQ(edit.AsFloat(), 0.0);
    edit.SetAsFloat(5);
    EXPECT_EQ(edit.text(), "");
    edit.CustomFromDouble = [](TQmtEdit&, double v, QString& text) { text = QString("<%1>").arg(v); };
    edit.CustomToDouble = [](TQmtEdit& e, double& v) { v = e.text().size(); };
    edit.SetAsFloat(5);
    EXPECT_EQ(edit.text(), "<5>");
    EXPECT_EQ(edit.AsFloat(), 3.0);
}

TEST(QmtEdit, OnExitColoursOnlyWhenTheFocusLeaves) {
    TwoFields f;
    f.first->SetValueType(typDouble);
    f.first->SetMaxValue(10);
    QTest::keyClicks(f.first, "10.0001");
    EXPECT_EQ(Background(*f.first), Normal());
    EXPECT_TRUE(f.first->ShownError().isEmpty());
    QTest::keyClick(f.first, Qt::Key_Tab);
    ASSERT_TRUE(f.second->hasFocus());
    EXPECT_EQ(Background(*f.first), QColor(Qt::yellow));
    EXPECT_EQ(f.first->ShownError(), "El valor debe estar comprendido entre: 0.000 y 10.000");
    // Typing again restores the normal look until the next exit.
    f.first->setText("5");
    EXPECT_EQ(Background(*f.first), Normal());
}

TEST(QmtEdit, OnChangeColoursWhileTypingBeforeItsHandler) {
    TwoFields f;
    f.first->SetValueType(typInteger);
    f.first->SetShowError(TQmtEdit::seOnChange);
    QStringList seen;
    f.first->OnChange = [&](TQmtEdit& e) { seen << e.ShownError(); };
    QTest::keyClicks(f.first, "1.");
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].isEmpty());
    EXPECT_FALSE(seen[1].isEmpty());
    EXPECT_EQ(Background(*f.first), QColor(Qt::yellow));
    // Without seOnExit, leaving shows the normal look whatever the text.
    QTest::keyClick(f.first, Qt::Key_Tab);
    EXPECT_EQ(Background(*f.first), Normal());
}

TEST(QmtEdit, TooltipKeepsItsBaseAndUnits) {
    TQmtEdit edit;
    edit.ShowValidity("mal");
    EXPECT_EQ(edit.toolTip(), "Error: mal");
    edit.setToolTip("T");
    EXPECT_EQ(edit.toolTip(), "T\nError: mal");
    edit.SetUnits("m");
    EXPECT_EQ(edit.toolTip(), "T (m)\nError: mal");
    edit.ShowValidity("");
    EXPECT_EQ(edit.toolTip(), "T (m)");
    // A later tooltip (translation) becomes the base; the field's additions stay.
    edit.ShowValidity("a\r\nb");
    edit.setToolTip("U");
    EXPECT_EQ(edit.BaseHint(), "U");
    EXPECT_EQ(edit.toolTip(), "U (m)\nError: a\nb");
}

TEST(QmtEdit, ReadOnlyLooksLikeAButtonAndSteppingBeeps) {
    TQmtEdit edit;
    edit.SetValueType(typInteger);
    edit.setText("4");
    edit.ShowValidity("x");
    edit.setReadOnly(true);
    EXPECT_EQ(Background(edit), Normal(QPalette::Button));
    EXPECT_TRUE(edit.ShownError().isEmpty());
    edit.UpClick();
    EXPECT_EQ(edit.text(), "4");
    edit.setReadOnly(false);
    EXPECT_EQ(Background(edit), Normal());
}

TEST(QmtEdit, SpinStepsStopAtTheRange) {
    TQmtEdit edit;
    edit.SetValueType(typDouble);
    edit.SetMaxValue(10);
    edit.setText("9.5");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "9.5");
    edit.setText("9");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "10.000");
    edit.setText("0.5");
    edit.DownClick();
    EXPECT_EQ(edit.text(), "0.5");
    edit.setText("-");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "1.000");
    // A rounding error does not keep the last step from reaching the limit: 0.2 + 0.1 > 0.3.
    edit.SetMaxValue(0.3);
    edit.SetIncrement(0.1);
    edit.setText("0.2");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "0.300");
    edit.SetValueType(typInteger);
    edit.SetMinValue(0);
    edit.SetMaxValue(8);
    edit.SetIncrement(2.5);
    edit.setText("1");
    edit.UpClick();  // 3.5 rounds away from zero
    EXPECT_EQ(edit.text(), "4");
    edit.UpClick();
    edit.UpClick();
    EXPECT_EQ(edit.text(), "7");
    edit.SetMaxValue(0);
    edit.SetIncrement(1);
    edit.setText("2147483647");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "2147483647");
    edit.SetValueType(typIdentifier);
    edit.setText("3");
    edit.UpClick();
    EXPECT_EQ(edit.text(), "3");
}

TEST(QmtEdit, ArrowKeysAndWheelStepTheFocusedField) {
    TwoFields f;
    f.first->SetValueType(typInteger);
    f.first->setText("5");
    QTest::keyClick(f.first, Qt::Key_Up);
    QTest::keyClick(f.first, Qt::Key_Up);
    QTest::keyClick(f.first, Qt::Key_Down);
    EXPECT_EQ(f.first->text(), "6");
    const auto wheel = [](TQmtEdit* e, int delta) {
        QWheelEvent event(QPointF(5, 5), e->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e, &event);
    };
    wheel(f.first, 60);
    EXPECT_EQ(f.first->text(), "6");
    wheel(f.first, 60);
    EXPECT_EQ(f.first->text(), "7");
    wheel(f.first, -240);
    EXPECT_EQ(f.first->text(), "5");
    f.second->SetValueType(typInteger);
    f.second->setText("1");
    wheel(f.second, 120);
    EXPECT_EQ(f.second->text(), "1") << "no focus, no step";
}

TEST(QmtEdit, PasteAndCutRefusedUnlessEditable) {
    TwoFields f;
    QApplication::clipboard()->setText("99");
    f.first->setText("12");
    f.first->selectAll();
    f.first->SetEditorEnabled(false);
    QTest::keySequence(f.first, QKeySequence::Cut);
    QTest::keySequence(f.first, QKeySequence::Paste);
    EXPECT_EQ(f.first->text(), "12");
    EXPECT_EQ(QApplication::clipboard()->text(), "99");
    const auto enabledActions = [&] {
        std::unique_ptr<QMenu> menu(f.first->CreateContextMenu());
        QStringList enabled;
        for (QAction* a : menu->actions())
            if (a->isEnabled() && !a->isSeparator()) enabled << a->text().section('\t', 0, 0).remove('&');
        return enabled;
    };
    EXPECT_FALSE(enabledActions().contains("Cut"));
    EXPECT_FALSE(enabledActions().contains("Paste"));
    EXPECT_TRUE(enabledActions().contains("Copy"));
    f.first->SetEditorEnabled(true);
    EXPECT_TRUE(enabledActions().contains("Paste"));
    QTest::keySequence(f.first, QKeySequence::Paste);
    EXPECT_EQ(f.first->text(), "99");
}

TEST(QmtEdit, AutoSelectOnKeyboardEntryOnly) {
    TwoFields f;
    f.second->setText("123");
    QTest::keyClick(f.first, Qt::Key_Tab);
    EXPECT_EQ(f.second->selectedText(), "123");
    f.first->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(f.second, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(f.second->hasFocus());
    EXPECT_EQ(f.second->selectedText(), "");
}

TEST(QmtEdit, SpinButtonAtTheRightEdgeStepsAndFocusesTheField) {
    TwoFields f;
    TQmtEdit& edit = *f.second;
    edit.SetValueType(typInteger);
    edit.setText("1");
    edit.SetUseSpin(true);
    edit.resize(120, edit.height());
    QPointer<TQmtSpinButton> spin = edit.SpinButton();
    ASSERT_TRUE(spin);
    EXPECT_EQ(spin->width(), 15);
    EXPECT_EQ(spin->FocusControl(), &edit);
    EXPECT_LT(spin->geometry().right(), edit.width() - 1);
    EXPECT_GT(spin->geometry().right(), edit.width() - 5);
    EXPECT_EQ(edit.textMargins().right(), 16);
    edit.resize(200, edit.height());
    EXPECT_GT(spin->geometry().right(), 195);
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "2");
    EXPECT_TRUE(edit.hasFocus());
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "0");
    edit.SetUseSpin(false);
    EXPECT_FALSE(spin);
    EXPECT_EQ(edit.textMargins().right(), 0);
}

}  // namespace
}  // namespace nerim
