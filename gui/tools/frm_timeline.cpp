#include "gui/tools/frm_timeline.h"

#include "datetime/date_input.h"
#include "platform/moment.h"
#include "datetime/time_zones.h"
#include "display/calendar_file.h"
#include "display/timeline_placement.h"
#include "gui/display/grid_view.h"
#include "gui/display/pattern_lane_painter.h"
#include "gui/display/timeline_painter.h"
#include "gui/platform/date_field.h"
#include "gui/platform/qt_widgets.h"
#include "gui/platform/save_dialog.h"
#include "platform/saved_file.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>

namespace orvane::gui {
namespace {


constexpr std::array<int, 7> kSpanMonths{1, 3, 6, 12, 24, 60, 120};
constexpr std::array<int16_t, 7> kSpanTexts{text::kTextTimelineOneMonth,  text::kTextTimelineThreeMonths,
                                            text::kTextTimelineSixMonths, text::kTextTimelineOneYear,
                                            text::kTextTimelineTwoYears,  text::kTextTimelineFiveYears,
                                            text::kTextTimelineTenYears};
constexpr int kDefaultSpan = 3;            // one year
// The least frame the window opens with beside or below the main window: room for its controls and a
// few rows (it fits beside the main window on a screen 1366 pixels wide); and the width from which it
// stands beside the main window rather than below it, at the screen's height.
constexpr int kLeastWidth = 360;
constexpr int kLeastHeight = 300;
constexpr int kGoodWidth = 600;

display::ScreenRect Rect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace

// ----- The window -----------------------------------------------------------------------------------------

frmTimeline::frmTimeline(app::Workspace& program, platform::MessageBoxes& boxes, QWidget& mainWindow)
    : QDialog(&mainWindow), m_program(program), m_boxes(boxes), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmTimeline"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    CreateControls();
    SetLanguageDependentText();
}

void frmTimeline::CreateControls()
{
    lblFrom = Create<QLabel>(this, QStringLiteral("lblFrom"));
    dtpFrom = Create<DateField>(this, QStringLiteral("dtpFrom"));
    dtpFrom->setDateRange(QDate(1, 1, 1), QDate(2799, 12, 31));
    dtpFrom->AddCalendarButton();
    lblSpan = Create<QLabel>(this, QStringLiteral("lblSpan"));
    cboSpan = Create<QComboBox>(this, QStringLiteral("cboSpan"));
    lblZone = Create<QLabel>(this, QStringLiteral("lblZone"));
    lblFrame = Create<QLabel>(this, QStringLiteral("lblFrame"));
    cboFrame = Create<QComboBox>(this, QStringLiteral("cboFrame"));
    lblPositions = Create<QLabel>(this, QStringLiteral("lblPositions"));
    cboPositions = Create<QComboBox>(this, QStringLiteral("cboPositions"));
    lblDegrees = Create<QLabel>(this, QStringLiteral("lblDegrees"));
    txtDegrees = Create<QLineEdit>(this, QStringLiteral("txtDegrees"));
    lblBodies = Create<QLabel>(this, QStringLiteral("lblBodies"));
    for (size_t i = 0; i < chkBody.size(); ++i) {
        chkBody[i] = Create<QCheckBox>(this, QStringLiteral("chkBody_%1").arg(i + 1));
        chkBody[i]->setChecked(true);
    }
    chkFurtherAspects = Create<QCheckBox>(this, QStringLiteral("chkFurtherAspects"));
    picTimeline = new TimelineCanvas(m_program, m_timeline, this);
    picTimeline->setFocusPolicy(Qt::StrongFocus);  // zoomed and scrolled from the keyboard too
    picTimeline->SetPatternLanes(&m_lanes);
    scrRows = Create<QScrollBar>(this, QStringLiteral("scrRows"));
    lblHint = Create<QLabel>(this, QStringLiteral("lblHint"));
    cmdExportPng = Create<QPushButton>(this, QStringLiteral("cmdExportPng"));
    cmdExportCsv = Create<QPushButton>(this, QStringLiteral("cmdExportCsv"));
    cmdClose = Create<QPushButton>(this, QStringLiteral("cmdClose"));
    cmdPrint = Create<QPushButton>(this, QStringLiteral("cmdPrint"));
    cmdExport = Create<QPushButton>(this, QStringLiteral("cmdExport"));
    lblHint->setWordWrap(true);
    // The lists take the width of their longest entry again after every change of language, not only the
    // first time they show ("geometrisch" is longer than "geometric").
    for (QComboBox* list : {cboSpan, cboFrame, cboPositions})
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // No button is the dialog's default: Return in the From box takes the typed date and nothing else.
    for (QPushButton* button : {cmdExportPng, cmdExportCsv, cmdClose, cmdPrint, cmdExport})
        button->setAutoDefault(false);

    LayOutControls();
    ConnectControls();
}

void frmTimeline::LayOutControls()
{
    auto* top = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{lblFrom, dtpFrom, lblSpan, cboSpan})
        top->addWidget(widget);
    top->addStretch(1);
    // The convention and the crossings in a row of their own: the window may be narrow.
    auto* convention = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{lblFrame, cboFrame, lblPositions, cboPositions})
        convention->addWidget(widget);
    convention->addStretch(1);
    auto* crossings = new QHBoxLayout;
    crossings->addWidget(lblDegrees);
    crossings->addWidget(txtDegrees, 1);
    // The planets in two rows of five, so that the window fits beside the main window on a small screen.
    auto* bodies = new QGridLayout;
    bodies->setVerticalSpacing(0);
    bodies->addWidget(lblBodies, 0, 0);
    for (int i = 0; i < static_cast<int>(chkBody.size()); ++i)
        bodies->addWidget(chkBody[static_cast<size_t>(i)], i / 5, 1 + i % 5);
    bodies->addWidget(chkFurtherAspects, 2, 1, 1, 5);
    bodies->setColumnStretch(6, 1);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(picTimeline, 1);
    middle->addWidget(scrRows);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    for (QWidget* widget : std::initializer_list<QWidget*>{cmdExportPng, cmdExportCsv, cmdClose})
        bottom->addWidget(widget);
    // Print and Export in a row of their own above, so that the window keeps its least width.
    auto* output = new QHBoxLayout;
    output->addStretch(1);
    output->addWidget(cmdPrint);
    output->addWidget(cmdExport);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(convention);
    column->addLayout(crossings);
    column->addLayout(bodies);
    column->addLayout(middle, 1);
    column->addWidget(lblHint);
    column->addLayout(output);
    column->addLayout(bottom);
    lblZone->hide();  // the zone stands in the picture's corner
}

void frmTimeline::ConnectControls()
{
    // A typed date is taken when it is complete (Return, or the focus leaving), not at every keystroke: a
    // long span takes a moment to search.
    connect(dtpFrom, &DateField::dateChanged, this, &frmTimeline::dtpFrom_Change);
    connect(cboSpan, &QComboBox::activated, this, &frmTimeline::cboSpan_Click);
    connect(cboFrame, &QComboBox::activated, this, &frmTimeline::cboFrame_Click);
    connect(cboPositions, &QComboBox::activated, this, &frmTimeline::cboPositions_Click);
    connect(txtDegrees, &QLineEdit::editingFinished, this, &frmTimeline::txtDegrees_Change);
    for (QCheckBox* box : chkBody)
        connect(box, &QCheckBox::toggled, this, &frmTimeline::chkBody_Click);
    connect(chkFurtherAspects, &QCheckBox::toggled, this, &frmTimeline::chkBody_Click);
    connect(cmdExportPng, &QPushButton::clicked, this, &frmTimeline::cmdExportPng_Click);
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmTimeline::cmdExportCsv_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTimeline::cmdPrint_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmTimeline::cmdExport_Click);
    connect(picTimeline, &TimelineCanvas::momentClicked, this, &frmTimeline::picTimeline_Click);
    connect(picTimeline, &TimelineCanvas::scrollOffsetChanged, this, [this] { SyncScrollBar(); });
    connect(scrRows, &QScrollBar::valueChanged, picTimeline, &TimelineCanvas::SetScrollOffset);
}

void frmTimeline::SetLanguageDependentText()
{
    const text::Language& language = m_program.language;
    setWindowTitle(Q(language.Text(text::kTextTimelineTitle)));
    lblFrom->setText(Q(language.Text(text::kTextTimelineFrom)));
    lblSpan->setText(Q(language.Text(text::kTextTimelineSpan)));
    lblBodies->setText(Q(language.Text(text::kTextTimelineBodies)));
    const core::AstroTables& tables = m_program.astro.tables;
    for (size_t i = 0; i < chkBody.size(); ++i) {
        chkBody[i]->setText(Q(tables.bodyAbbrevs.at(i + 1)));
        chkBody[i]->setToolTip(Q(tables.bodyNames.at(i + 1)));
    }
    const int span = cboSpan->count() > 0 ? cboSpan->currentIndex() : kDefaultSpan;
    cboSpan->clear();
    for (int16_t number : kSpanTexts)
        cboSpan->addItem(Q(language.Text(number)));
    cboSpan->setCurrentIndex(span);
    // The lists keep their choice: each entry stays at its place in either language.
    const auto fill = [&language](QComboBox* list, std::initializer_list<int16_t> numbers) {
        const int chosen = std::max(0, list->currentIndex());
        list->clear();
        for (const int16_t number : numbers)
            list->addItem(Q(language.Text(number)));
        list->setCurrentIndex(chosen);
    };
    lblFrame->setText(Q(language.Text(text::kTextTimelineFrame)));
    fill(cboFrame, {text::kTextTimelineFrameJ2000, text::kTextTimelineFrameOfDate});
    cboFrame->setToolTip(Q(language.Text(cboFrame->currentIndex() == 0 ? text::kTextFrameJ2000 : text::kTextFrameOfDate)));
    lblPositions->setText(Q(language.Text(text::kTextTimelinePositions)));
    fill(cboPositions, {text::kTextTimelineGeometric, text::kTextTimelineApparent});
    cboPositions->setToolTip(Q(language.Text(cboPositions->currentIndex() == 0 ? text::kTextPositionsGeometric
                                                                                : text::kTextPositionsApparent)));
    chkFurtherAspects->setText(Q(language.Text(text::kTextTimelineFurtherAspects)));
    chkFurtherAspects->setToolTip(Q(language.Text(text::kTextTimelineFurtherAspectsHint)));
    lblDegrees->setText(Q(language.Text(text::kTextTimelineDegrees)));
    txtDegrees->setToolTip(Q(language.Text(text::kTextTimelineDegreesHint)));
    txtDegrees->setPlaceholderText(QStringLiteral("0, 15, 90"));
    lblHint->setText(Q(language.Text(text::kTextTimelineHint)));
    cmdExportPng->setText(Q(language.Text(text::kTextTimelineExportPng)));
    cmdExportCsv->setText(Q(language.Text(text::kTextTimelineExportCsv)));
    cmdClose->setText(Q(language.Text(text::kTextClose)));
    SetOutputCaptions();
    picTimeline->update();
}

double frmTimeline::StartMoment() const
{
    if (const std::optional<double> world = WorldMoment(m_program))
        return *world;
    const double first = m_program.main.moments[static_cast<size_t>(core::kFirstBirthdateRow)];
    return first > 0.0 ? first : platform::kJ2000;
}

int16_t frmTimeline::ZoneMinutes() const
{
    return WorldZoneMinutes(m_program.main);
}

void frmTimeline::ShowTimeline()
{
    SetLanguageDependentText();
    // The span begins at the start of the world date's local day.
    const double local = platform::LocalDay(StartMoment(), ZoneMinutes() * 60);
    m_syncing = true;
    dtpFrom->setDate(QDate::fromJulianDay(static_cast<qint64>(std::floor(local))));
    cboSpan->setCurrentIndex(kDefaultSpan);
    m_syncing = false;
    Rebuild();
    if (!isVisible())
        PlaceBesideMainWindow();
    show();
    raise();
    activateWindow();
}

void frmTimeline::PlaceBesideMainWindow()
{
    const QRect area = AvailableArea(m_mainWindow);
    if (area.isEmpty())
        return;
    // The timeline gets a frame like the main window's.
    const QMargins frame = FrameMargins(m_mainWindow);
    const QSize least = minimumSizeHint().grownBy(frame).expandedTo(QSize(kLeastWidth, kLeastHeight));
    const QRect main = m_mainWindow.frameGeometry();
    const display::TimelinePlace place =
        display::PlaceTimeline(Rect(main), Rect(area), {least.width(), least.height(), std::max(kGoodWidth, least.width())});
    if (place.mainLeft != main.left())
        MoveFrameTo(m_mainWindow, QPoint(place.mainLeft, main.top()));
    const display::ScreenRect& outer = place.timeline;
    PlaceOnScreen(*this, QRect(outer.left, outer.top, outer.width, outer.height), frame);
}

void frmTimeline::Rebuild()
{
    const double from = platform::MomentOfLocalDay(static_cast<double>(dtpFrom->date().toJulianDay()), ZoneMinutes() * 60);
    const QDate end = dtpFrom->date().addMonths(kSpanMonths.at(static_cast<size_t>(std::max(0, cboSpan->currentIndex()))));
    const double to = platform::MomentOfLocalDay(static_cast<double>(end.toJulianDay()), ZoneMinutes() * 60);
    const app::MainModel& main = m_program.main;
    if (ModeDatesValid(main))
        m_all = display::BuildTimeline(m_program.astro, main.currentMode, main.moments, from, to, Choice());
    else
        m_all = display::Timeline{from, to, main.currentMode, {}, {}};
    m_allLanes = ModeDatesValid(main) ? display::BuildPatternLanes(m_program.astro, main.currentMode, from, to,
                                                                  Choice().convention)
                                      : std::vector<display::PatternLane>{};
    ApplyBodyFilter();
    picTimeline->ShowWholeSpan();
    SyncScrollBar();
}

display::TimelineChoice frmTimeline::Choice() const
{
    display::TimelineChoice choice;
    choice.convention.frame = cboFrame->currentIndex() == 1 ? platform::Frame::OfDate : platform::Frame::J2000;
    choice.convention.positions =
        cboPositions->currentIndex() == 1 ? platform::PositionKind::Apparent : platform::PositionKind::Geometric;
    choice.degrees = m_degrees;
    return choice;
}

void frmTimeline::ApplyBodyFilter()
{
    std::array<bool, core::kBodySlots> ticked{};
    for (size_t i = 0; i < chkBody.size(); ++i)
        ticked[i + 1] = chkBody[i]->isChecked();
    m_timeline = display::KeepBodies(m_all, ticked, chkFurtherAspects->isChecked());
    m_lanes = display::KeepLaneBodies(m_allLanes, ticked);
    picTimeline->SetScrollOffset(picTimeline->ScrollOffset());
    SyncScrollBar();
}

void frmTimeline::SyncScrollBar()
{
    const QSignalBlocker blocker(scrRows);
    scrRows->setRange(0, std::max(0, picTimeline->ContentHeight() - picTimeline->height()));
    scrRows->setPageStep(picTimeline->height());
    scrRows->setSingleStep(picTimeline->Layout().rowHeight);
    scrRows->setValue(picTimeline->ScrollOffset());
}

void frmTimeline::dtpFrom_Change()
{
    if (!m_syncing)
        Rebuild();
}

void frmTimeline::cboSpan_Click()
{
    if (!m_syncing)
        Rebuild();
}

void frmTimeline::cboFrame_Click()
{
    SetLanguageDependentText();  // the list's hover text names the frame chosen
    Rebuild();
}

void frmTimeline::cboPositions_Click()
{
    SetLanguageDependentText();
    Rebuild();
}

// A typed list of degrees is taken when it is complete (Return, or the focus leaving); one the window cannot
// read is named in a message and the crossings stay as they were.
void frmTimeline::txtDegrees_Change()
{
    const platform::Result<std::vector<double>> degrees =
        display::ReadDegrees(txtDegrees->text().toStdString(), m_program.language);
    if (!degrees) {
        const QSignalBlocker blocker(txtDegrees);  // the box takes the focus: no second editingFinished
        platform::Message message = degrees.error();
        message.title = windowTitle().toStdString();
        m_boxes.Show(message);
        return;
    }
    if (degrees.value() == m_degrees)
        return;
    m_degrees = degrees.value();
    Rebuild();
}

void frmTimeline::chkBody_Click()
{
    ApplyBodyFilter();
}

void frmTimeline::picTimeline_Click(double moment)
{
    const app::ComputeOutcome outcome = m_program.SetWorldDate(moment);
    picTimeline->update();
    emit worldDateSet(outcome);
}

platform::Result<void> frmTimeline::SaveExport(const std::string& path, std::string_view content)
{
    const platform::Result<void> saved = platform::SaveFile(
        path, content,
        [](platform::ErrorCode, const std::string&, const std::string& why) { return platform::Message::Exclamation("", why); },
        platform::NewFileAccess::UserUmask);
    const std::string title = windowTitle().toStdString();
    if (saved) {
        m_boxes.Show(platform::Message::Information(
            title, m_program.language.Text(text::kTextTimelineSaved) + text::kLineBreak + path));
        return saved;
    }
    const int16_t number =
        saved.code() == platform::ErrorCode::DiskFull ? text::kTextTimelineDiskFull : text::kTextTimelineNotWritable;
    const platform::Error refused{saved.code(), platform::Message::Exclamation(
                                                    title, m_program.language.Text(number) + text::kLineBreak + path)};
    m_boxes.Show(refused.message);
    return platform::Result<void>(refused);
}

platform::Result<void> frmTimeline::ExportPng(const std::string& path)
{
    const QImage image = picTimeline->WholeImage(std::max(picTimeline->width(), 1200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return SaveExport(path, std::string_view(png.constData(), static_cast<size_t>(png.size())));
}

platform::Result<void> frmTimeline::ExportCsv(const std::string& path)
{
    return SaveExport(path, display::TimelineCsv(m_program.astro.tables, m_timeline));
}

platform::Result<void> frmTimeline::ExportCalendar(const std::string& path)
{
    const double stamp = platform::MomentOf(std::chrono::system_clock::now());
    const display::CalendarWords words = display::CalendarWordsOf(m_program.language);
    return SaveExport(path, display::TimelineCalendar(m_program.astro.tables, words, m_timeline, stamp));
}

void frmTimeline::cmdExportPng_Click()
{
    const QString filter = Q(m_program.language.Text(text::kTextTimelinePngFilter)) + QStringLiteral(" (*.png)");
    const QString path = AskSaveFileName(this, cmdExportPng->text(), filter, QStringLiteral("png"));
    if (!path.isEmpty())
        static_cast<void>(ExportPng(path.toStdString()));  // the window has shown what happened
}

void frmTimeline::cmdExportCsv_Click()
{
    // The same table as a calendar when its file type is chosen (or the name ends in .ics).
    const QString filter = Q(m_program.language.Text(text::kTextTimelineCsvFilter)) + QStringLiteral(" (*.csv);;") +
                           Q(m_program.language.Text(text::kTextTimelineIcsFilter)) + QStringLiteral(" (*.ics)");
    const QString path = AskSaveFileName(this, cmdExportCsv->text(), filter, QStringLiteral("csv"));
    if (path.endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive))
        static_cast<void>(ExportCalendar(path.toStdString()));  // shown by the window
    else if (!path.isEmpty())
        static_cast<void>(ExportCsv(path.toStdString()));  // shown by the window
}

}  // namespace orvane::gui
