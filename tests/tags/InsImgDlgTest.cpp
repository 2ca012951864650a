#include "tags/InsImgDlg.h"

#include "platform/ImagePlugins.h"
#include "platform/UpDownEdit.h"
#include "tests/support/EditorFixture.h"
#include "tests/tags/DialogDriver.h"

#include <QImage>

#include <functional>

using namespace DialogDriver;

namespace {

constexpr int kOk = 1, kCancel = 2, kBrowse = 1140;
constexpr int kSrc = 1004, kAlt = 1005, kWidth = 1006, kHeight = 1007, kBorder = 1008;
constexpr int kAltOn = 1090, kWidthOn = 1011, kHeightOn = 1012, kBorderOn = 1013, kAlignOn = 1024;
constexpr int kAlign = 1034, kBorderSpin = 1014, kWidthSpin = 1016, kHeightSpin = 1019;

std::string Gif(unsigned width, unsigned height) {
    std::string gif = "GIF89a";
    for (unsigned v : {width, height}) {
        gif += char(v & 0xFF);
        gif += char(v >> 8);
    }
    return gif + std::string("\0\0\0;", 4);
}

class ImageDialog : public CEditorFixture {
protected:
    ~ImageDialog() override { CImagePlugins::Instance().Release(); }

    std::optional<CImageFields> Run(const QString& reference, std::function<void(QDialog&)> script) {
        CInsImgDlg dialog;
        dialog.SetReferencePath(reference);
        ui->QueueDialog([&](QDialog& d) {
            script(d);
            return d.result();
        });
        if (Ui().RunDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.Fields();
    }

    // The tag of a dialog in which the user only types src and presses OK after script.
    std::string TagAfter(std::function<void(QDialog&)> script) {
        const auto fields = Run("", [&](QDialog& d) {
            script(d);
            Click(d, kOk);
        });
        return fields ? ImageTag(*fields) : "<cancelled>";
    }

    static QLineEdit* Field(QDialog& d, int id) { return Control<QLineEdit>(d, id); }
    static QComboBox* Combo(QDialog& d, int id) { return Control<QComboBox>(d, id); }
    static std::string Stored(int i) {
        return Profile().GetString("InsImgDlg", "src" + QString::number(i), "<none>");
    }

    // A page and a picture in the test's folder; browsing picks the picture.
    QString BrowseTo(const QString& name, const std::string& bytes) {
        WriteFile(FilePath(name), bytes);
        ui->QueueFileName(FilePath(name));
        return FilePath("index.html");
    }
};

} // namespace

TEST_F(ImageDialog, FirstPaintPutsTheDefaultsInPlace) {
    Run("", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("<IMG>タグの挿入"));
        EXPECT_TRUE(IsOn(d, kAltOn));
        EXPECT_TRUE(IsOn(d, kBorderOn));
        for (int id : {kWidthOn, kHeightOn, kAlignOn})
            EXPECT_FALSE(IsOn(d, id)) << id;
        for (int id : {kSrc, kAlt, kBorder, kBorderSpin})
            EXPECT_TRUE(IsEnabled(d, id)) << id;
        for (int id : {kWidth, kWidthSpin, kHeight, kHeightSpin, kAlign})
            EXPECT_FALSE(IsEnabled(d, id)) << id;
        EXPECT_EQ(Field(d, kWidth)->text(), "100");
        EXPECT_EQ(Field(d, kHeight)->text(), "100");
        EXPECT_EQ(Field(d, kBorder)->text(), "0");
        EXPECT_EQ(Field(d, kAlt)->text(), "");
        EXPECT_EQ(Combo(d, kSrc)->currentText(), "");
        EXPECT_EQ(Items(Combo(d, kAlign)), (QStringList{"left", "center", "right"}));
        EXPECT_EQ(Combo(d, kAlign)->currentText(), "center");
        EXPECT_EQ(Field(d, kWidth)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        EXPECT_FALSE(IsEnabled(d, kBrowse));
        for (QWidget* w :
             {static_cast<QWidget*>(Combo(d, kSrc)->lineEdit()), static_cast<QWidget*>(Field(d, kWidth)),
              static_cast<QWidget*>(Field(d, kHeight)), static_cast<QWidget*>(Field(d, kBorder))})
            EXPECT_FALSE(w->testAttribute(Qt::WA_InputMethodEnabled)) << w->objectName().toStdString();
        // Alternative text is Japanese prose.
        EXPECT_TRUE(Field(d, kAlt)->testAttribute(Qt::WA_InputMethodEnabled));
        Click(d, kCancel);
    });
}

TEST_F(ImageDialog, OkAtOnceGivesSrcBorderAndAlt) {
    EXPECT_EQ(TagAfter([](QDialog& d) { Type(Combo(d, kSrc), "a.gif"); }),
              "<img src=\"a.gif\" border=0 alt=\"\">");
}

TEST_F(ImageDialog, AllButtonsOffAndNoSrcGiveAnEmptySrc) {
    EXPECT_EQ(TagAfter([](QDialog& d) {
                  Click(d, kAltOn);
                  Click(d, kBorderOn);
                  EXPECT_FALSE(IsEnabled(d, kAlt));
                  EXPECT_FALSE(IsEnabled(d, kBorderSpin));
              }),
              "<img src=\"\">");
}

TEST_F(ImageDialog, WidthAndHeightFollowSrcAndTheArrowsStopAtTheRange) {
    EXPECT_EQ(TagAfter([](QDialog& d) {
                  Click(d, kWidthOn);
                  Type(Combo(d, kSrc), "b.png");
              }),
              "<img src=\"b.png\" width=100 border=0 alt=\"\">");
    EXPECT_EQ(TagAfter([](QDialog& d) {
                  Click(d, kWidthOn);
                  Click(d, kHeightOn);
                  Type(Field(d, kWidth), "999");
                  for (int i = 0; i < 3; ++i)
                      QTest::keyClick(Field(d, kWidth), Qt::Key_Up);
                  Type(Field(d, kHeight), "12px");
                  Type(Field(d, kBorder), "1");
                  for (int i = 0; i < 30; ++i)
                      QTest::keyClick(Field(d, kBorder), Qt::Key_Up);
              }),
              "<img src=\"\" width=1000 height=12 border=20 alt=\"\">");
    EXPECT_EQ(TagAfter([](QDialog& d) {
                  Click(d, kHeightOn);
                  Type(Field(d, kHeight), "15");
                  for (int i = 0; i < 9; ++i)
                      QTest::keyClick(Field(d, kHeight), Qt::Key_Down);
              }),
              "<img src=\"\" height=10 border=0 alt=\"\">");
}

TEST_F(ImageDialog, AlignIsWrittenByPosition) {
    EXPECT_EQ(TagAfter([](QDialog& d) { Click(d, kAlignOn); }),
              "<img src=\"\" border=0 alt=\"\" align=\"center\">");
    EXPECT_EQ(TagAfter([](QDialog& d) {
                  Click(d, kAlignOn);
                  Combo(d, kAlign)->setCurrentIndex(2);
                  Click(d, kAltOn);
                  Type(Field(d, kBorder), "");
              }),
              "<img src=\"\" border=0 align=\"right\">");
}

TEST_F(ImageDialog, AltTextKeepsJapaneseAndQuotesAsTyped) {
    EXPECT_EQ(TagAfter([](QDialog& d) { Field(d, kAlt)->setText(QStringLiteral("ロゴ \"新\"")); }),
              "<img src=\"\" border=0 alt=\"\x83\x8D\x83\x53 \"\x90\x56\"\">");
}

TEST_F(ImageDialog, SrcListDropsDownOnlyWhenOpenedAndKeepsTheTypedText) {
    for (int i = 0; i < 5; ++i)
        Profile().PutString("InsImgDlg", "src" + QString::number(i), std::string(1, char('a' + i)));
    Profile().PutString("InsImgDlg", "src1", "");
    Run("", [](QDialog& d) {
        QComboBox* src = Combo(d, kSrc);
        EXPECT_EQ(src->count(), 0);
        Type(src, "typed.gif");
        src->showPopup();
        EXPECT_EQ(Items(src), (QStringList{"a", "c", "d", "e"}));
        src->hidePopup();
        EXPECT_EQ(src->currentText(), "typed.gif");
        src->showPopup();
        EXPECT_EQ(src->count(), 4);
        src->hidePopup();
        Click(d, kOk);
    });
    EXPECT_EQ(Stored(0), "typed.gif");
    EXPECT_EQ(Stored(1), "a");
    EXPECT_EQ(Stored(2), "");
    EXPECT_EQ(Stored(3), "c");
    EXPECT_EQ(Stored(4), "d");
}

TEST_F(ImageDialog, AKnownSrcMovesToTheFrontAndCancelKeepsTheList) {
    for (int i = 0; i < 5; ++i)
        Profile().PutString("InsImgDlg", "src" + QString::number(i), std::string(1, char('a' + i)));
    Run("", [](QDialog& d) {
        Type(Combo(d, kSrc), "e");
        Click(d, kOk);
    });
    EXPECT_EQ((std::vector{Stored(0), Stored(1), Stored(2), Stored(3), Stored(4)}),
              (std::vector<std::string>{"e", "a", "b", "c", "d"}));
    Run("", [](QDialog& d) {
        Type(Combo(d, kSrc), "z");
        Click(d, kCancel);
    });
    EXPECT_EQ(Stored(0), "e");
}

TEST_F(ImageDialog, BrowseSetsSrcAndOffersThePictureSize) {
    CImagePlugins::Instance().Bind(VURO_PLUGIN_DIR);
    QDir().mkpath(FilePath("img"));
    const QString page = BrowseTo("img/logo.gif", Gif(120, 60));
    const auto fields = Run(page, [](QDialog& d) {
        Click(d, kBrowse);
        EXPECT_EQ(Combo(d, kSrc)->currentText(), "img/logo.gif");
        EXPECT_EQ(Field(d, kWidth)->text(), "120");
        EXPECT_EQ(Field(d, kHeight)->text(), "60");
        // Offered, not switched on.
        EXPECT_FALSE(IsOn(d, kWidthOn));
        EXPECT_FALSE(IsOn(d, kHeightOn));
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(ImageTag(*fields), "<img src=\"img/logo.gif\" border=0 alt=\"\">");
    EXPECT_EQ(ui->fileDialogs[0].initialFolder, FilePath("index.html").chopped(10));
    EXPECT_EQ(ui->fileDialogs[0].filter,
              "Image File(*.gif;*.jpg;*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All(*.*)|*.*||");
}

TEST_F(ImageDialog, PictureSizeNeedsAPlugInForTheExtensionInAnyCase) {
    QImage image(31, 17, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(FilePath("BIG.PNG"), "png"));
    ASSERT_TRUE(image.save(FilePath("png.bmp"), "png")); // a PNG under another type's name
    ASSERT_TRUE(image.save(FilePath("photo.JPEG"), "jpeg"));
    auto sizeAfterBrowsing = [this](const QString& name) {
        ui->QueueFileName(FilePath(name));
        QString size;
        Run(FilePath("index.html"), [&](QDialog& d) {
            Click(d, kBrowse);
            size = Field(d, kWidth)->text() + "x" + Field(d, kHeight)->text();
            Click(d, kCancel);
        });
        return size;
    };
    // Without the plug-ins the texts stay as they were, without a message.
    EXPECT_EQ(sizeAfterBrowsing("BIG.PNG"), "100x100");
    CImagePlugins::Instance().Bind(VURO_PLUGIN_DIR);
    EXPECT_EQ(sizeAfterBrowsing("BIG.PNG"), "31x17");
    EXPECT_EQ(sizeAfterBrowsing("photo.JPEG"), "31x17");
    EXPECT_EQ(sizeAfterBrowsing("png.bmp"), "100x100");
    // A broken picture leaves them too.
    WriteFile(FilePath("broken.gif"), "GIF89a\x01");
    EXPECT_EQ(sizeAfterBrowsing("broken.gif"), "100x100");
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(ImageDialog, BrowseKeepsWhatWasTypedInTheOtherFields) {
    CImagePlugins::Instance().Bind(VURO_PLUGIN_DIR);
    const QString page = BrowseTo("a.gif", Gif(8, 9));
    const auto fields = Run(page, [](QDialog& d) {
        Field(d, kAlt)->setText("logo");
        Click(d, kWidthOn);
        Click(d, kBrowse);
        Click(d, kOk);
    });
    ASSERT_TRUE(fields);
    EXPECT_EQ(ImageTag(*fields), "<img src=\"a.gif\" width=8 border=0 alt=\"logo\">");
}
