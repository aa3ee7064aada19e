#pragma once
// The main window TForm1: command column, layer column with the five
// palettes, the draw area in its scroll box, the frame timer, and all program
// state (the level, the file name, the animation counters, the image sets).
// Widgets carry the component names as object names.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/imageset/image_set.h"
#include "model/level.h"
#include "view/compositor.h"
#include "view/frame_tick.h"
#include "view/prepared_image.h"

class QButtonGroup;
class QLabel;
class QScrollArea;
class QStackedWidget;

namespace klv::shell {

class DrawArea;
class FileDialogs;
class FrameTimer;
class OxButton;

// Where the window finds its files and how it asks for file names. The
// program uses the defaults; tests point it at a folder of their own and
// answer the dialogs.
struct MainWindowSetup {
    QString ProgramFolder;                   // empty: the program file's folder
    std::shared_ptr<FileDialogs> Dialogs;    // null: the real file dialogs
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(MainWindowSetup setup = {});
    ~TForm1() override;

    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Runs FormShow before the window first reaches the screen, and lets the
    // draw area initialise once it is there.
    void setVisible(bool visible) override;

    // Program state, alive as long as the window.
    klv::LevelState Level;
    QString CurrentFileName;
    klv::AnimationCounters Animation;
    klv::ImageSet DXImageList1, DXImageList2, DXImageList3, DXImageList4, DXImageList5;
    // The five sets as drawing uses them, prepared when the draw area
    // initialises and whenever a set is loaded after that.
    std::array<klv::PreparedImageSet, klv::kLayerSlotCount> PreparedImageLists;
    klv::IndexFaultLog IndexFaults;

    // Components.
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QWidget* Panel6 = nullptr;
    QLabel* Label1 = nullptr;
    OxButton* oxButton1 = nullptr;   // NewLevel
    OxButton* oxButton2 = nullptr;   // SaveLevel
    OxButton* oxButton3 = nullptr;   // Land
    OxButton* oxButton4 = nullptr;   // Ball
    OxButton* oxButton5 = nullptr;   // Other (hidden)
    OxButton* oxButton6 = nullptr;   // OpenLevel
    OxButton* oxButton7 = nullptr;   // GridSize
    OxButton* oxButton8 = nullptr;   // Save As...
    OxButton* oxButton9 = nullptr;   // Close
    OxButton* oxButton10 = nullptr;  // Object Ball
    OxButton* oxButton11 = nullptr;  // About
    OxButton* oxButton12 = nullptr;  // Surface
    QStackedWidget* Notebook1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QScrollArea* ScrollBox3 = nullptr;
    QScrollArea* ScrollBox4 = nullptr;
    QScrollArea* ScrollBox5 = nullptr;
    QScrollArea* ScrollBox110 = nullptr;
    DrawArea* DXDraw1 = nullptr;
    FrameTimer* DXTimer1 = nullptr;

    // Handlers.
    void FormCreate(QObject* sender);
    void FormShow(QObject* sender);
    void BuildPalette(QScrollArea* scrollBox, const QString& fileName);
    void PaletteButtonClick(QObject* sender);
    void oxButton1Click(QObject* sender);   // NewLevel
    void oxButton2Click(QObject* sender);   // SaveLevel
    void oxButton3Click(QObject* sender);   // Land
    void oxButton4Click(QObject* sender);   // Ball
    void oxButton5Click(QObject* sender);   // Other
    void oxButton6Click(QObject* sender);   // OpenLevel
    void oxButton7Click(QObject* sender);   // GridSize
    void oxButton8Click(QObject* sender);   // Save As...
    void oxButton9Click(QObject* sender);   // Close
    void oxButton10Click(QObject* sender);  // Object Ball
    void oxButton11Click(QObject* sender);  // About
    void oxButton12Click(QObject* sender);  // Surface
    void DXDraw1MouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, std::int32_t x,
                          std::int32_t y);
    void DXTimer1Timer(QObject* sender, std::int32_t lagCount);
    void DXDraw1Initialize(QObject* sender);
    void DXDraw1Finalize(QObject* sender);

    // The caption of Notebook1's page shown: the active layer code.
    QString ActivePageCaption() const;
    void SetActivePage(const QString& caption);
    // The folder the image sets are read from ("<program folder>/dxg/") and
    // the one the file dialogs open in ("<program folder>/level/").
    QString DxgFolder() const;
    QString LevelFolder() const;
    // The part of DXDraw1 the scroll box shows.
    klv::DrawRect VisibleDrawRect() const;
    // The AnimFrame the last composed frame used.
    std::int32_t LastComposedAnimFrame() const { return lastComposedAnimFrame_; }

private:
    void BuildLayout();
    void BuildCommandColumn();
    void BuildLayerColumn();
    void BuildCentre();
    void ConnectHandlers();
    void SetUpFrameTick();
    QScrollArea* BuildPalettePage(int pageIndex);
    void ShowLayer(const QString& caption, bool resetSelection);

    void LoadImageList(klv::ImageSet& list, const QString& fileName);
    void PrepareImageList(int slot);
    klv::LayerImageSets DrawingSets() const;
    void ComposeVisible(const klv::DrawRect& rect, std::int32_t animFrame);
    void CollectIndexFault(const std::string& message);
    void ReportIndexFaults();
    void LevelReplaced();
    void SaveCommand(bool alwaysAsk);
    void SetSizeLabel(const QString& text);

    QString programFolder_;
    std::shared_ptr<FileDialogs> dialogs_;
    std::array<klv::ImageSet*, klv::kLayerSlotCount> imageLists_{};
    std::vector<QString> pendingFaults_;
    bool faultReportQueued_ = false;
    bool reportingFaults_ = false;
    // Built once so that a tick allocates nothing for its hooks.
    klv::FrameTickHooks tickHooks_;
    klv::IndexFaultCallback faultCallback_;
    klv::DrawRect tickRect_;
    bool formShowDone_ = false;
    std::int32_t lastComposedAnimFrame_ = 0;
};

// The main window, once created.
extern TForm1* Form1;

}  // namespace klv::shell
