#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <optional>

#include "app/batch_print_commands.h"
#include "app/commands/command_ids.h"
#include "app/commands/looks.h"
#include "app/commands/shell_texts.h"
#include "app/dialogs/accu_dialog.h"
#include "app/dialogs/datasheet_dialogs.h"
#include "app/dialogs/factor_dialogs.h"
#include "app/dialogs/fluid_dialogs.h"
#include "app/dialogs/meter_dialogs.h"
#include "app/dialogs/project_dialogs.h"
#include "app/dialogs/unit_dialogs.h"
#include "app/document.h"
#include "app/platform/profile.h"
#include "app/platform/qt_platform.h"
#include "app/platform/qt_text.h"
#include "app/platform/tool_icons.h"
#include "app/project_utility_commands.h"
#include "app/view.h"
#include "fluids/property_database.h"
#include "messages/messages.h"

namespace quorven {
namespace {

using namespace cmd;

QColor Rgb(uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// The buttons of the "Standard" tool bar: short text and picture, the style's
// where it has one that says what the command does, else the program's own.
struct ToolButton {
    int id;
    const char* text;
    QStyle::StandardPixmap icon;
    std::optional<ToolPicture> picture;
};
constexpr ToolButton kToolButtons[] = {
    {kNewProject, "New", QStyle::SP_FileIcon, {}},
    {kOpenProject, "Open", QStyle::SP_DialogOpenButton, {}},
    {kSaveTag, "Save Tag", QStyle::SP_DialogSaveButton, {}},
    {0, nullptr, QStyle::SP_CustomBase, {}},
    {kCopyTag, "Copy", QStyle::SP_CustomBase, ToolPicture::Copy},
    {kPasteTag, "Paste", QStyle::SP_CustomBase, ToolPicture::Paste},
    {0, nullptr, QStyle::SP_CustomBase, {}},
    {kPrintCalcSheet, "Print", QStyle::SP_CustomBase, ToolPicture::Print},
    {kPreviewCalcSheet, "Preview", QStyle::SP_CustomBase, ToolPicture::Preview},
    {0, nullptr, QStyle::SP_CustomBase, {}},
    {kCalculate, "Calculate", QStyle::SP_CustomBase, ToolPicture::Calculate},
    {0, nullptr, QStyle::SP_CustomBase, {}},
    {kAbout, "About", QStyle::SP_MessageBoxQuestion, {}},
};

constexpr const char* kHelpText =
    "Quorven sizes differential-pressure flow elements: orifice plates, nozzles, venturis, "
    "flow tubes, wedge meters, critical-flow devices and restriction orifices.\n\n"
    "Each project window shows one tag. Enter the fluid, the flowing and base conditions, "
    "the meter and pipe, and the flows or differentials; then choose Sizing > Calculate Sizing "
    "Parameter to find the bore, the differential pressure or the flow.\n\n"
    "The status bar shows CALC while the tag needs calculating and SAVE while it differs from "
    "its stored copy.\n\n"
    "Keys: Ctrl+N new project, Ctrl+O open project, Ctrl+S save tag, Alt+R retrieve tag, "
    "Alt+D delete tag, Ctrl+C / Ctrl+V copy / paste tag, Ctrl+B batch calc, Ctrl+P print calc sheet, "
    "Ctrl+Alt+V preview calc sheet, Ctrl+E / Ctrl+I export / import, F1 this help.\n\n"
    "Menu entries shown greyed belong to parts of the program still to come, or need a "
    "calculated tag or an open project.";

}  // namespace

CMainFrame::CMainFrame(Profile& profile, MessageSink& sink, QWidget* parent)
    : QMainWindow(parent),
      profile_(profile),
      sink_(sink),
      mdi_(new QMdiArea(this)),
      look_(profile.ApplicationLook()),
      own_chooser_(std::make_unique<QtFileChooser>()),
      chooser_(own_chooser_.get()),
      own_dialogs_(std::make_unique<QtProjectDialogs>(this)),
      dialogs_(own_dialogs_.get()) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setAcceptDrops(true);
    mdi_->setObjectName(QStringLiteral("workspace"));
    setCentralWidget(mdi_);
    BuildActions();
    BuildMenu(nullptr, MenuBar());
    BuildToolBar();
    BuildStatusBar();
    ApplyLook(look_);
    activation_ = connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { OnActiveWindowChanged(); });
    FitScreen();
    UpdateCommands();
    qApp->installEventFilter(this);
}

// The workspace reports a last activation change while it is torn down.
CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    disconnect(activation_);
}

// Ctrl+C and Ctrl+V copy and paste the tag even while an edit of the form has the
// focus (an edit would otherwise take them for its own text), as long as the tag
// command is enabled; while it is not, the edit keeps its keys.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
            for (int id : {kCopyTag, kPasteTag}) {
                const QAction* action = Action(id);
                if (action != nullptr && action->isEnabled() && action->shortcut() == pressed) {
                    event->ignore();
                    return true;
                }
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::BuildActions() {
    // The looks are one choice, kept by their check rule (UpdateCommands) and shown
    // with check marks, as the menu of looks always showed them.
    for (const CommandInfo& c : AllCommands()) {
        auto* action = new QAction(ToQString(c.caption), this);
        action->setObjectName(ControlName(c.id));
        action->setData(c.id);
        if (!c.shortcut.empty())
            action->setShortcut(QKeySequence(ToQString(c.shortcut), QKeySequence::PortableText));
        action->setCheckable(c.checked != nullptr);
        if (c.pending) action->setStatusTip(QStringLiteral("Not available in this version yet."));
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_[c.id] = action;
        // Commands without a menu entry still answer to their keys.
        addAction(action);
    }
}

void CMainFrame::BuildMenu(QMenu* menu, std::span<const MenuNode> nodes) {
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
            case MenuNode::Kind::Command:
                if (menu != nullptr)
                    menu->addAction(Action(node.id));
                else
                    menuBar()->addAction(Action(node.id));
                break;
            case MenuNode::Kind::Separator:
                if (menu != nullptr) menu->addSeparator();
                break;
            case MenuNode::Kind::RecentFiles:
                if (menu != nullptr) {
                    for (int i = 0; i < kRecentFileCount; ++i) menu->addAction(Action(kRecentFile1 + i));
                }
                break;
            case MenuNode::Kind::Submenu: {
                QMenu* sub = menu != nullptr ? menu->addMenu(ToQString(node.caption))
                                             : menuBar()->addMenu(ToQString(node.caption));
                connect(sub, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
                BuildMenu(sub, node.children);
                // A submenu of check items only (the Office 2007 looks) is itself
                // checked while one of its items is, so the current choice shows
                // on the menu above it too.
                const bool all_checks =
                    std::all_of(node.children.begin(), node.children.end(), [](const MenuNode& n) {
                        const CommandInfo* c =
                            n.kind == MenuNode::Kind::Command ? FindCommand(n.id) : nullptr;
                        return c != nullptr && c->checked != nullptr;
                    });
                if (all_checks && !node.children.empty()) {
                    sub->menuAction()->setCheckable(true);
                    check_groups_.push_back(sub);
                }
                break;
            }
        }
    }
}

void CMainFrame::BuildToolBar() {
    tool_bar_ = addToolBar(QStringLiteral("Standard"));
    tool_bar_->setObjectName(QStringLiteral("toolBarStandard"));
    tool_bar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButton& b : kToolButtons) {
        if (b.id == 0) {
            tool_bar_->addSeparator();
            continue;
        }
        QAction* action = Action(b.id);
        action->setIcon(b.picture ? ToolIcon(*b.picture) : style()->standardIcon(b.icon));
        action->setIconText(QString::fromLatin1(b.text));
        tool_bar_->addAction(action);
    }
    connect(tool_bar_, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommands);
}

// The frame opens at its working size where the screen has room for it (with its
// title bar and borders), and fills a smaller screen (1024 x 768 and up); the form
// scrolls inside its window.
void CMainFrame::FitScreen() {
    const QSize working(1200, 960);  // the whole form without scrolling
    const QScreen* s = screen();
    if (s == nullptr) {
        resize(working);
        return;
    }
    const QSize room = s->availableGeometry().size();
    resize(working.boundedTo(room));
    if (room.width() < working.width() + 40 || room.height() < working.height() + 60)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::BuildStatusBar() {
    const char* names[3] = {"paneCalc", "paneSave", "paneProject"};
    const char* widest[3] = {" CALC ", " SAVE ", "PROJECT:  XXXXXXXXXXXXXXXX"};
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i] = new QLabel(this);
        panes_[i]->setObjectName(QString::fromLatin1(names[i]));
        panes_[i]->setAlignment(Qt::AlignCenter);
        panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panes_[i]->setMinimumWidth(
            panes_[i]->fontMetrics().horizontalAdvance(QString::fromLatin1(widest[i])) + 12);
        statusBar()->addPermanentWidget(panes_[i]);
    }
    statusBar()->showMessage(QStringLiteral("Ready"));
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

CQuorven64Doc* CMainFrame::ActiveDocument() const {
    auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
    if (child == nullptr && !mdi_->subWindowList().isEmpty()) {
        // Without focus (a box in front, or no window manager) the last window is the current one.
        child = qobject_cast<CChildFrame*>(mdi_->subWindowList().constLast());
    }
    return child == nullptr ? nullptr : &child->Document();
}

CommandState CMainFrame::CurrentCommandState() const {
    CommandState s;
    if (const CQuorven64Doc* doc = ActiveDocument()) {
        s.record = &doc->record;
        s.project_open = doc->project_open;
        s.tag_saved = doc->tag_saved;
        s.project_name = doc->project_name;
    }
    s.tag_clipboard_full = clipboard_->full;
    s.application_look = look_;
    s.tool_bar_visible = tool_bar_ != nullptr && !tool_bar_->isHidden();
    s.status_bar_visible = !statusBar()->isHidden();
    s.recent_file_count = static_cast<int>(profile_.RecentFiles().size());
    return s;
}

void CMainFrame::UpdateCommands() {
    const CommandState state = CurrentCommandState();
    for (const auto& [id, action] : actions_) {
        action->setEnabled(IsCommandEnabled(id, state));
        if (action->isCheckable()) action->setChecked(IsCommandChecked(id, state));
    }
    for (QMenu* group : check_groups_) {
        const QList<QAction*> items = group->actions();
        group->menuAction()->setChecked(
            std::any_of(items.begin(), items.end(), [](const QAction* a) { return a->isChecked(); }));
    }
    FillRecentFiles();
    const std::array<std::string, 3> texts = StatusPaneTexts(state);
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        if (panes_[i] != nullptr) panes_[i]->setText(ToQString(texts[i]));
    }
}

std::array<QString, 3> CMainFrame::StatusPanes() const {
    return {panes_[0]->text(), panes_[1]->text(), panes_[2]->text()};
}

void CMainFrame::FillRecentFiles() {
    const std::vector<std::string> files = profile_.RecentFiles();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = Action(kRecentFile1 + i);
        const bool present = i < static_cast<int>(files.size());
        // An empty list shows one greyed entry, as the classic recent-file menu does.
        action->setVisible(present || i == 0);
        action->setText(present ? QStringLiteral("&%1 %2").arg(i + 1).arg(ToQString(files[i]))
                                : QStringLiteral("Recent File"));
    }
}

void CMainFrame::RunCommand(int id) {
    const CommandState state = CurrentCommandState();
    if (!IsCommandEnabled(id, state)) return;  // a key of a disabled command does nothing
    if (id >= kRecentFile1 && id < kRecentFile1 + kRecentFileCount) {
        const std::vector<std::string> files = profile_.RecentFiles();
        const auto index = static_cast<std::size_t>(id - kRecentFile1);
        if (index < files.size()) OpenProjectFile(files[index]);
        return;
    }
    if (FindApplicationLook(id).id == id) {
        ApplyLook(id);
        return;
    }
    if (CQuorven64Doc* doc = ActiveDocument(); doc != nullptr && IsFluidCommand(id)) {
        if (RunFluidCommand(this, id, doc->record, doc->settings.Defaults, doc->unit_tables, Fluids(),
                            sink_)) {
            doc->tag_saved = false;
            doc->NotifyRecordChanged();
        }
        UpdateCommands();
        return;
    }
    if (CQuorven64Doc* doc = ActiveDocument(); doc != nullptr && IsMeterDialogCommand(id)) {
        RunMeterDialogCommand(this, id, *doc, *meter_memory_, &sink_);
        UpdateCommands();
        return;
    }
    if (RunProjectCommand(id)) return;
    if (RunReportCommand(id)) return;
    if (CQuorven64Doc* doc = ActiveDocument(); doc != nullptr && IsProjectUtilityCommand(id)) {
        CommitPendingEdit();
        CommandUi ui{sink_, *chooser_, *dialogs_};
        RunProjectUtilityCommand(this, id, *doc, ui);
        UpdateCommands();
        return;
    }
    if (const std::optional<ReportCommand> report = ReportCommandOf(id)) {
        if (CQuorven64Doc* doc = ActiveDocument()) {
            CommitPendingEdit();
            if (IsBatchReport(report->kind))
                RunBatchPrint(this, report->kind, report->output, *doc, sink_, *chooser_);
            else
                RunSingleReport(this, report->kind, report->output, *doc, sink_, *chooser_);
        }
        UpdateCommands();
        return;
    }
    switch (id) {
        case kExit:
            close();
            break;
        case kAbout:
            ShowAbout();
            break;
        case kHelpTopics:
            ShowHelp();
            break;
        case kViewToolBar:
            tool_bar_->setVisible(tool_bar_->isHidden());
            break;
        case kViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case kWindowCascade:
            mdi_->cascadeSubWindows();
            break;
        case kWindowTile:
            mdi_->tileSubWindows();
            break;
        case kFactorManometer:
        case kFactorDrainVent:
        case kFactorWaterVapor:
        case kFactorSatLiquid:
        case kFactorVaporQuality:
            RunFactorDialog(id);
            break;
        case kUncertainty:
            RunAccuDialog();
            break;
        case kEnterDatasheet:
            if (CQuorven64Doc* doc = ActiveDocument()) RunEnterDatasheet(this, *doc, doc->settings, sink_);
            break;
        case kClearDatasheet:
            if (CQuorven64Doc* doc = ActiveDocument()) RunClearDatasheet(*doc, sink_);
            break;
        case kFlowUnits1:
        case kFlowUnits2:
        case kFlowUnits3:
        case kFlowUnits4:
        case kFlowUnits5:
        case kFlowUnits6:
            RunUnitsSetup(static_cast<FlowKind>(id - kFlowUnits1 + 1));
            break;
        case kCalculate:
            if (CQuorven64Doc* doc = ActiveDocument()) {
                for (QMdiSubWindow* w : mdi_->subWindowList())
                    if (auto* child = qobject_cast<CChildFrame*>(w);
                        child != nullptr && &child->Document() == doc)
                        child->View().Calculate();
            }
            break;
        default:
            break;
    }
    UpdateCommands();
}

FluidSession& CMainFrame::Fluids() {
    if (!fluids_) fluids_ = std::make_unique<FluidSession>();
    if (fluids_->database == nullptr) {
        database_ = std::make_unique<PropertyDatabase>(
            PropertyDatabase::OpenInDirectory(ToUtf8(QCoreApplication::applicationDirPath())));
        fluids_->database = database_.get();
    }
    return *fluids_;
}

void CMainFrame::RunFactorDialog(int id) {
    CQuorven64Doc* doc = ActiveDocument();
    if (doc == nullptr) return;
    if (!RunFactorCommand(id, this, doc->record, doc->unit_tables)) return;
    doc->tag_saved = false;
    doc->NotifyRecordChanged();
}

void CMainFrame::RunUnitsSetup(FlowKind k) {
    CQuorven64Doc* doc = ActiveDocument();
    if (doc == nullptr || !ExecUnitsArraySetup(this, k, doc->unit_tables, doc->record)) return;
    doc->NotifyRecordChanged();
}

void CMainFrame::RunAccuDialog() {
    CQuorven64Doc* doc = ActiveDocument();
    if (doc == nullptr || !ExecAccuDialog(this, doc->record)) return;
    doc->tag_saved = false;
    doc->NotifyRecordChanged();
}

CChildFrame* CMainFrame::OpenDocumentWindow() {
    auto* child = new CChildFrame;
    child->SetMessageSink(&sink_);
    mdi_->addSubWindow(child);
    child->Document().FirstUpdate(ToUtf8(QCoreApplication::applicationDirPath()), config_dir_, &sink_);
    connect(&child->Document(), &CQuorven64Doc::recordChanged, this, &CMainFrame::UpdateCommands);
    child->showMaximized();
    mdi_->setActiveSubWindow(child);
    // The keyboard goes to the new window: its tag number first.
    if (auto* first = child->findChild<QWidget*>(ControlName(1106))) first->setFocus();
    OnActiveWindowChanged();
    return child;
}

void CMainFrame::OnActiveWindowChanged() {
    const CQuorven64Doc* doc = ActiveDocument();
    setWindowTitle(doc == nullptr ? QString::fromLatin1(kTitle)
                                  : QString::fromLatin1(kTitle) + QStringLiteral(" - ") + doc->title);
    UpdateCommands();
}

void CMainFrame::ApplyLook(int id) {
    const ApplicationLook& look = FindApplicationLook(id);
    if (QStyle* style = QStyleFactory::create(ToQString(look.style))) QApplication::setStyle(style);
    QPalette palette;
    palette.setColor(QPalette::Window, Rgb(look.window));
    palette.setColor(QPalette::WindowText, Rgb(look.window_text));
    palette.setColor(QPalette::Base, Rgb(look.base));
    palette.setColor(QPalette::AlternateBase, Rgb(look.window));
    palette.setColor(QPalette::Text, Rgb(look.text));
    palette.setColor(QPalette::Button, Rgb(look.button));
    palette.setColor(QPalette::ButtonText, Rgb(look.window_text));
    palette.setColor(QPalette::Highlight, Rgb(look.highlight));
    palette.setColor(QPalette::HighlightedText, Rgb(look.highlighted_text));
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8D, 0x8D, 0x8D));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8D, 0x8D, 0x8D));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8D, 0x8D, 0x8D));
    QApplication::setPalette(palette);
    mdi_->setBackground(Rgb(look.mdi_background));
    look_ = look.id;
    profile_.SetApplicationLook(look.id);
    UpdateCommands();
}

void CMainFrame::ShowAbout() {
    QDialog about(this);
    about.setObjectName(QStringLiteral("id100"));
    about.setWindowTitle(QStringLiteral("About Quorven"));
    auto* layout = new QVBoxLayout(&about);
    auto* name = new QLabel(QStringLiteral("Quorven"), &about);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(
        new QLabel(QStringLiteral("Version ") + ToQString(VersionText(NewTagRecord())), &about));
    layout->addWidget(new QLabel(QStringLiteral("Sizing of differential-pressure flow elements"), &about));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(1));
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}

void CMainFrame::ShowHelp() {
    Message m;
    m.caption = "Quorven Help";
    m.text = kHelpText;
    m.icon = MessageIcon::Information;
    sink_.Show(m);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) OpenProjectFile(std::filesystem::path(ToUtf8(url.toLocalFile())));
    }
}

}  // namespace quorven
