// The show handler, the five palettes and the layer buttons.

#include <QButtonGroup>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QToolButton>

#include <stdexcept>

#include "model/imageset/dxg_file.h"
#include "shell/draw_area.h"
#include "shell/main_window.h"
#include "shell/palette_model.h"
#include "shell/window_texts.h"

namespace klv::shell {

namespace {

// The glyph: the thumbnail with its transparent colour left out, so the
// button face shows through.
QIcon ThumbnailIcon(const Thumbnail& thumbnail) {
    QImage image(kThumbnailSize, kThumbnailSize, QImage::Format_ARGB32);
    for (int y = 0; y < kThumbnailSize; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kThumbnailSize; ++x) {
            const std::uint32_t rgb = thumbnail.At(x, y);
            row[x] = rgb == thumbnail.TransparentColor ? qRgba(0, 0, 0, 0) : (0xFF000000u | rgb);
        }
    }
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace

void TForm1::FormShow(QObject* /*sender*/) {
    SetActivePage(QStringLiteral("0"));
    Animation.AnimFrame = 0;
    Animation.AnimFrameLimit = 11;
    BuildPalette(ScrollBox1, QStringLiteral("land.dxg"));
    BuildPalette(ScrollBox2, QStringLiteral("ball.dxg"));
    BuildPalette(ScrollBox3, QStringLiteral("anm.dxg"));
    BuildPalette(ScrollBox4, QStringLiteral("objectball.dxg"));
    BuildPalette(ScrollBox5, QStringLiteral("surface.dxg"));
    LoadImageList(DXImageList1, QStringLiteral("land.dxg"));
    LoadImageList(DXImageList2, QStringLiteral("ball.dxg"));
    LoadImageList(DXImageList3, QStringLiteral("anm.dxg"));
    LoadImageList(DXImageList4, QStringLiteral("objectball.dxg"));
    LoadImageList(DXImageList5, QStringLiteral("surface.dxg"));
    setWindowTitle(kUntitledTitle);
}

void TForm1::LoadImageList(klv::ImageSet& list, const QString& fileName) {
    const QString path = DxgFolder() + fileName;
    const klv::ImageSetLoadResult result = klv::LoadImageSetFile(QFile::encodeName(path).toStdString(), list);
    if (!result.Ok) throw std::runtime_error(result.Error);
    // A set read while the draw area is up is prepared at once.
    if (DXDraw1->Initialized()) {
        for (int slot = 0; slot < klv::kLayerSlotCount; ++slot) {
            if (imageLists_[static_cast<std::size_t>(slot)] == &list) PrepareImageList(slot);
        }
    }
}

void TForm1::PrepareImageList(int slot) {
    const auto index = static_cast<std::size_t>(slot);
    PreparedImageLists[index] = klv::PrepareImageSet(*imageLists_[index]);
}

klv::LayerImageSets TForm1::DrawingSets() const {
    klv::LayerImageSets sets;
    for (std::size_t i = 0; i < sets.Sets.size(); ++i) sets.Sets[i] = &PreparedImageLists[i];
    return sets;
}

void TForm1::BuildPalette(QScrollArea* scrollBox, const QString& fileName) {
    // DXImageList1 is the scratch set for every palette; FormShow reloads it
    // with the land images afterwards.
    LoadImageList(DXImageList1, fileName);

    QButtonGroup* group = scrollBox->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    QWidget* content = scrollBox->widget();
    for (const PaletteEntry& entry : PaletteEntries(DXImageList1)) {
        const Thumbnail thumbnail = MakeThumbnail(DXImageList1.Items[static_cast<std::size_t>(entry.Index)].Picture);
        if (!thumbnail.Ok) throw std::runtime_error(thumbnail.Error);

        auto* button = new QToolButton(content);
        button->setObjectName(scrollBox->objectName() + QStringLiteral("sb") + QString::number(entry.Index));
        button->setText(QString::number(entry.Index));
        button->setGeometry(kPaletteButtonLeft, entry.Top, kPaletteButtonWidth, kPaletteButtonHeight);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
        button->setIcon(ThumbnailIcon(thumbnail));
        button->setCheckable(true);
        button->setAutoRaise(false);
        // A palette button is a speed button: it never takes the focus, so
        // neither Tab nor a click moves it away from the push buttons.
        button->setFocusPolicy(Qt::NoFocus);
        // One pressed button per palette; clicking it again keeps it pressed.
        if (group) group->addButton(button);
        connect(button, &QToolButton::clicked, this, [this, button] { PaletteButtonClick(button); });
        content->setMinimumHeight(entry.Top + kPaletteButtonHeight);
    }
}

void TForm1::PaletteButtonClick(QObject* sender) {
    if (const auto* button = qobject_cast<QAbstractButton*>(sender)) Level.SelectedTile = button->text().toStdString();
}

void TForm1::ShowLayer(const QString& caption, bool resetSelection) {
    SetActivePage(caption);
    if (resetSelection) Level.SelectedTile.assign(1, '0');
}

void TForm1::oxButton3Click(QObject* /*sender*/) { ShowLayer(QStringLiteral("0"), true); }

void TForm1::oxButton4Click(QObject* /*sender*/) { ShowLayer(QStringLiteral("1"), true); }

// The hidden "Other" button keeps the selection.
void TForm1::oxButton5Click(QObject* /*sender*/) { ShowLayer(QStringLiteral("2"), false); }

void TForm1::oxButton10Click(QObject* /*sender*/) { ShowLayer(QStringLiteral("3"), true); }

void TForm1::oxButton12Click(QObject* /*sender*/) { ShowLayer(QStringLiteral("4"), true); }

}  // namespace klv::shell
