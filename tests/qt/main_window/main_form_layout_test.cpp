// The main window as laid out: geometry, captions, fonts, tooltips, stacking, and that nothing is clipped.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "qt/main_window/artwork.h"
#include "qt/main_window/main_form_fakes.h"
#include "core/main_window/main_form_layout.h"

namespace quillbay {
namespace {

using mainlayout::ControlKind;
using mainlayout::kControls;
using testing::FormRig;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Twips to pixels at exactly 15 twips a pixel; every number of the design is a whole pixel.
QRect designPixels(const design::TwipsRect& r) {
    EXPECT_EQ(r.left % 15, 0);
    EXPECT_EQ(r.top % 15, 0);
    EXPECT_EQ(r.width % 15, 0);
    EXPECT_EQ(r.height % 15, 0);
    return QRect(r.left / 15, r.top / 15, r.width / 15, r.height / 15);
}

class MainFormLayout : public ::testing::Test {
protected:
    FormRig rig;
};

TEST_F(MainFormLayout, ClientAreaAndEveryControlSitWhereTheTableSays) {
    EXPECT_EQ(rig.form->size(), QSize(483, 506));
    int counted = 0;
    for (const auto& row : kControls) {
        QWidget* widget = rig.form->findChild<QWidget*>(qs(row.name));
        ASSERT_NE(widget, nullptr) << row.name;
        EXPECT_EQ(widget->parentWidget(), rig.form.get()) << row.name;
        EXPECT_EQ(widget->geometry(), designPixels(row.rect)) << row.name;
        ++counted;
    }
    EXPECT_EQ(counted, 33);
}

TEST_F(MainFormLayout, HoldsNineLabelsNineBoxesSevenCheckBoxesSixButtons) {
    auto direct = Qt::FindDirectChildrenOnly;
    EXPECT_EQ(rig.form->findChildren<QLabel*>(QString(), direct).size(), 9);
    EXPECT_EQ(rig.form->findChildren<QLineEdit*>(QString(), direct).size(), 5);
    EXPECT_EQ(rig.form->findChildren<QPlainTextEdit*>(QString(), direct).size(), 4);
    EXPECT_EQ(rig.form->findChildren<QCheckBox*>(QString(), direct).size(), 7);
    EXPECT_EQ(rig.form->findChildren<QPushButton*>(QString(), direct).size(), 6);
}

TEST_F(MainFormLayout, ResizingAndMaximisingMoveNothing) {
    rig.form->show();
    for (QSize size : {QSize(900, 800), QSize(200, 150)}) {
        rig.form->resize(size);
        QCoreApplication::processEvents();
        for (const auto& row : kControls) {
            EXPECT_EQ(rig.form->findChild<QWidget*>(qs(row.name))->geometry(), designPixels(row.rect)) << row.name;
        }
    }
    rig.form->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.control("txtScript")->geometry(), QRect(16, 272, 449, 105));
}

TEST_F(MainFormLayout, CaptionsAndStartTexts) {
    struct Case {
        const char* name;
        QString text;
    };
    const Case cases[] = {
        {"Label1", "Function Name:"},
        {"Label2", "Url of PopUp Window:"},
        {"Label3", "PopUp Window Name:"},
        {"Label6", "Please input the below code between <head> and </head> tags"},
        {"Label7", "Call Function \"On Click\""},
        {"Label8", "Call Function on link"},
        {"Label9", "Call Function \"OnLoad\""},
        {"optTollbar", "Toolbars"},
        {"optResize", "Resizeable"},
        {"Command1", "Generate This Code"},
        {"selectone", "Select All"},
        {"txtFunctionname", "myPopUp"},
        {"txtWinname", "dorvelWin"},
        {"txtWidth", "200"},
        {"txtHeight", "350"},
    };
    for (const Case& c : cases) {
        QWidget* w = rig.control(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(w)) shown = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) shown = button->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) shown = edit->text();
        EXPECT_EQ(shown, c.text) << c.name;
    }
    // "<head>" is shown as written, not taken for markup.
    EXPECT_EQ(rig.control<QLabel>("Label6")->textFormat(), Qt::PlainText);
    EXPECT_TRUE(rig.control<QLineEdit>("txtUrl")->text().startsWith(QStringLiteral("https://")));
    EXPECT_EQ(rig.form->windowTitle(), QStringLiteral("Quillbay Version 1.00"));
}

TEST_F(MainFormLayout, TooltipsOnlyWhereDesigned) {
    const std::pair<const char*, const char*> tips[] = {
        {"txtFunctionname", "Your Function Name"},
        {"txtWinname", "Your PopUp Window Name"},
        {"txtUrl", "URL For the PopUp"},
        {"txtWidth", "Width"},
        {"txtHeight", "Height"},
        {"optStatus", "Enable Or Disable Status Bar Of PopUp"},
        {"optMenubar", "Enable Or Disable Menubar Of PopUp"},
        {"optScroll", "Enable Disable Scrollbars Of PopUp"},
        {"optDirectories", "Enable Disable Directories"},
        {"optLocation", "Enable Or Disable Locations"},
        {"optResize", "Enable Or Disable Resizeable"},
        {"Command1", "Generate This Code"},
        {"Command2", "Let's See Preview Of PopUp"},
        {"Command3", "About Us"},
        {"Command4", "Close This Program"},
    };
    int withTip = 0;
    for (const auto& row : kControls) {
        const QString tip = rig.form->findChild<QWidget*>(qs(row.name))->toolTip();
        QString expected;
        for (const auto& [name, text] : tips) {
            if (row.name == name) expected = QString::fromLatin1(text);
        }
        EXPECT_EQ(tip, expected) << row.name;
        withTip += !tip.isEmpty();
    }
    EXPECT_EQ(withTip, 15);  // Toolbars, Reset, Select All, the labels and the output boxes have none
}

TEST_F(MainFormLayout, LabelsAndGenerateAreBoldEverythingElseRegular) {
    for (const auto& row : kControls) {
        if (row.kind == ControlKind::Rectangle) continue;
        const QFont font = rig.form->findChild<QWidget*>(qs(row.name))->font();
        const bool bold = row.kind == ControlKind::Label || row.name == "Command1";
        EXPECT_EQ(font.bold(), bold) << row.name;
        EXPECT_EQ(font.pixelSize(), 11) << row.name;
    }
}

// No caption may lose a pixel at its design size: every label on one line inside its rectangle, and
// every check box and button caption inside the room its style leaves for text.
TEST_F(MainFormLayout, NoCaptionIsClipped) {
    rig.form->show();
    for (const auto& row : kControls) {
        QWidget* w = rig.form->findChild<QWidget*>(qs(row.name));
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_LE(fm.horizontalAdvance(label->text()), label->width()) << row.name;
            EXPECT_LE(fm.height(), label->height()) << row.name << ": descenders cut";
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const bool isCheck = qobject_cast<QCheckBox*>(button) != nullptr;
            const QRect room = button->style()->subElementRect(
                isCheck ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
            EXPECT_LE(fm.horizontalAdvance(button->text()), room.width()) << row.name;
            EXPECT_LE(room.right(), button->rect().right()) << row.name;
            EXPECT_LE(fm.height(), room.height()) << row.name;
        }
    }
}

// Where a box and a label overlap, the box is on top, and labels sit above the rectangles.
TEST_F(MainFormLayout, BoxesCoverTheLabelsTheyOverlap) {
    rig.form->show();
    int overlaps = 0;
    for (const auto& box : kControls) {
        if (box.kind != ControlKind::InputBox && box.kind != ControlKind::OutputBox) continue;
        for (const auto& label : kControls) {
            if (label.kind != ControlKind::Label) continue;
            const QRect shared = designPixels(box.rect) & designPixels(label.rect);
            if (shared.isEmpty()) continue;
            ++overlaps;
            EXPECT_EQ(rig.form->childAt(shared.center()), rig.form->findChild<QWidget*>(qs(box.name)))
                << box.name << " over " << label.name;
        }
    }
    EXPECT_EQ(overlaps, 5);  // txtFunctionname over Label3, each output box over its heading
}

TEST_F(MainFormLayout, BoxesAreNamedByTheirLabelsForScreenReaders) {
    const std::pair<const char*, const char*> names[] = {
        {"txtFunctionname", "Function Name"},
        {"txtWinname", "PopUp Window Name"},
        {"txtUrl", "Url of PopUp Window"},
        {"txtWidth", "Width"},
        {"txtHeight", "Height"},
        {"txtScript", "Please input the below code between <head> and </head> tags"},
        {"txtOnclick", "Call Function \"On Click\""},
        {"txtLink", "Call Function on link"},
        {"txtOnload", "Call Function \"OnLoad\""},
    };
    for (const auto& [box, name] : names) {
        EXPECT_EQ(rig.control(box)->accessibleName(), QString::fromLatin1(name)) << box;
    }
}

TEST_F(MainFormLayout, InputBoxesTakeAnyLengthAndOutputBoxesWrapAndScrollDown) {
    auto* url = rig.control<QLineEdit>("txtUrl");
    url->setText(QString(40000, QLatin1Char('u')));  // beyond a line edit's usual 32767
    EXPECT_EQ(url->text().size(), 40000);
    EXPECT_EQ(url->echoMode(), QLineEdit::Normal);

    rig.form->show();
    const QString longLine = QStringLiteral("window.open('https://example.invalid/a/very/long/path','w',"
                                            "'width=200,height=350,status=0,scrollbars=0,menubar=0')");
    for (const char* name : {"txtScript", "txtOnclick", "txtLink", "txtOnload"}) {
        auto* box = rig.control<QPlainTextEdit>(name);
        box->setEnabled(true);
        box->setPlainText(QStringList(12, longLine).join(QLatin1Char('\n')));
        QCoreApplication::processEvents();
        EXPECT_GT(box->document()->firstBlock().layout()->lineCount(), 1) << name << ": not wrapped";
        EXPECT_FALSE(box->horizontalScrollBar()->isVisible()) << name;
        EXPECT_TRUE(box->verticalScrollBar()->isVisible()) << name;
        EXPECT_GT(box->verticalScrollBar()->maximum(), 0) << name;
        EXPECT_FALSE(box->isReadOnly()) << name;
    }
}

TEST_F(MainFormLayout, WindowCarriesTheGlobeInBothSizes) {
    const QIcon icon = rig.form->windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    for (int side : {16, 32}) {
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        EXPECT_EQ(image.size(), QSize(side, side));
        QSet<QRgb> colours;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (image.pixelColor(x, y).alpha() == 255) colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_LE(colours.size(), 16) << side;
    }
}

TEST_F(MainFormLayout, BannerIsPaintedAtItsOwnSizeWithItsTransparentCornerShowingTheSurface) {
    ASSERT_EQ(bannerPicture().size(), QSize(444, 71));
    ASSERT_EQ(bannerPicture(2.0).deviceIndependentSize(), QSizeF(444, 71));
    ASSERT_EQ(bannerPicture(2.0).size(), QSize(888, 142));

    rig.form->show();
    const qreal ratio = rig.form->devicePixelRatioF();  // 2 when run with QT_SCALE_FACTOR=2
    const QImage banner = bannerPicture(ratio).toImage();
    EXPECT_EQ(banner.pixelColor(0, 0).alpha(), 0);
    const QImage shot = rig.form->grab().toImage();
    auto at = [&](const QImage& image, int x, int y) { return image.pixelColor(QPointF(x, y).toPoint() * ratio); };
    const QColor surface = rig.form->palette().color(QPalette::Button);
    EXPECT_EQ(at(shot, 0, 0), surface);                  // transparent corner
    EXPECT_EQ(at(shot, 300, 48), at(banner, 300, 48));  // between the first two rows
    EXPECT_EQ(at(shot, 150, 10), at(banner, 150, 10));  // above them
    EXPECT_EQ(at(shot, 470, 48), surface);               // right of the banner: not stretched
}

// Shape1 is filled with the button face and outlined in the window-text colour; Shape2 is only an outline.
TEST_F(MainFormLayout, RectanglesAreDrawnOnTheSurface) {
    rig.form->show();
    const qreal ratio = rig.form->devicePixelRatioF();
    const QImage shot = rig.form->grab().toImage();
    auto at = [&](int x, int y) { return shot.pixelColor(QPointF(x, y).toPoint() * ratio); };
    const QColor line = rig.form->palette().color(QPalette::WindowText);
    const QColor face = rig.form->palette().color(QPalette::Button);
    EXPECT_EQ(at(16, 150), line);   // Shape1's left edge
    EXPECT_EQ(at(200, 120), line);  // its top edge
    EXPECT_EQ(at(464, 150), line);  // its right edge, 449 pixels wide
    EXPECT_EQ(at(461, 150), face);  // inside, beside the check boxes
    EXPECT_EQ(at(8, 300), line);    // Shape2's left edge
    EXPECT_EQ(at(472, 300), line);  // its right edge
    EXPECT_EQ(at(240, 496), line);  // its bottom edge
    EXPECT_EQ(at(470, 300), face);  // inside it: the surface shows through
}

}  // namespace
}  // namespace quillbay
