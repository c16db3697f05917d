#include "gui/tools/frm_timeline.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "display/timeline_placement.h"
#include "gui/display/grid_view.h"
#include "gui/display/pattern_lane_painter.h"
#include "gui/display/timeline_painter.h"
#include "gui/platform/qt_widgets.h"
#include "gui/platform/save_dialog.h"
#include "platform/saved_file.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace orvane::gui {
namespace {


constexpr double kMinutesPerDay = 1440.0;
constexpr std::array<int, 7> kSpanMonths{1, 3, 6, 12, 24, 60, 120};
constexpr std::array<int16_t, 7> kSpanTexts{text::kTextTimelineOneMonth,  text::kTextTimelineThreeMonths,
                                            text::kTextTimelineSixMonths, text::kTextTimelineOneYear,
                                            text::kTextTimelineTwoYears,  text::kTextTimelineFiveYears,
                                            text::kTextTimelineTenYears};
constexpr int kDefaultSpan = 3;            // one year
constexpr double kLeastViewDays = 2.0;     // the closest zoom: two days across
constexpr double kZoomPerNotch = 0.8;      // one notch of the wheel
constexpr int kSnapPixels = 5;             // a click this near an exact mark picks the exact moment
constexpr double kLeastTickPixels = 64.0;  // between two tick labels
// The least frame the window opens with beside or below the main window: room for its controls and a
// few rows (it fits beside the main window on a screen 1366 pixels wide); and the width from which it
// stands beside the main window rather than below it, at the screen's height.
constexpr int kLeastWidth = 360;
constexpr int kLeastHeight = 300;
constexpr int kGoodWidth = 600;

// The world date's zone in minutes east of Greenwich: its row's zone, or the computer's.
int16_t WorldZoneMinutes(const app::MainModel& main)
{
    const int16_t position = main.zoneLists[static_cast<size_t>(core::kWorldDateRow)].ListIndex();
    return position > 0 ? datetime::ZoneOffsetMinutes(position) : main.computerZone;
}

// The world date as its row shows it, in every mode (the natal modes never convert it, so the last
// computation's world moment may be an older date's); that moment where the row does not convert.
std::optional<double> WorldMoment(const app::Workspace& program)
{
    datetime::DateRows rows = program.main;  // a copy: converting cleans the rows it reads
    if (const platform::Result<double> shown = datetime::InputDateToAJDate(rows, core::kWorldDateRow, program.language))
        return shown.value();
    const double moment = program.main.moments[static_cast<size_t>(core::kWorldDateRow)];
    return moment > 0.0 ? std::optional<double>(moment) : std::nullopt;
}

display::ScreenRect Rect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The mode's dates as the last computation converted them: false when one it needs did not convert.
bool ModeDatesValid(const app::MainModel& main)
{
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        if (core::RowUsedByMode(row, main.currentMode) && !(main.moments[static_cast<size_t>(row)] > 0.0))
            return false;
    return core::IsOneDateMode(main.currentMode) || core::IsTwoDateMode(main.currentMode);
}

}  // namespace

// ----- The canvas -----------------------------------------------------------------------------------------

TimelineCanvas::TimelineCanvas(const app::Workspace& program, const display::Timeline& timeline, QWidget* parent)
    : QWidget(parent), m_program(program), m_timeline(timeline)
{
    setObjectName(QStringLiteral("picTimeline"));
    setMouseTracking(true);
    setMinimumSize(240, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TimelineCanvas::ShowWholeSpan()
{
    m_view = {m_timeline.from, m_timeline.to};
    m_offset = 0;
    m_hoverRow = -1;
    update();
}

void TimelineCanvas::SetScrollOffset(int offset)
{
    const int most = std::max(0, ContentHeight() - height());
    m_offset = std::clamp(offset, 0, most);
    update();
}

int TimelineCanvas::ContentHeight() const
{
    const display::TimelineLayout layout = Layout();
    return layout.headerHeight + (static_cast<int>(m_timeline.rows.size()) + LaneCount()) * layout.rowHeight;
}

display::TimelineLayout TimelineCanvas::Layout() const
{
    display::TimelineLayout layout;
    const QFontMetrics metrics(font());
    layout.width = width();
    layout.rowHeight = metrics.height() + 6;
    layout.headerHeight = metrics.height() * 2 + 6;
    layout.labelWidth = metrics.horizontalAdvance(QStringLiteral("tr.Ma Sqr nat.Ma")) + 16;
    layout.view = m_view;
    return layout;
}

TimelinePicture TimelineCanvas::Picture(const display::TimelineLayout& layout, int height, int offset) const
{
    const text::Language& language = m_program.language;
    TimelinePicture picture;
    picture.timeline = &m_timeline;
    picture.layout = layout;
    picture.height = height;
    picture.scrollOffset = offset;
    for (const display::TimelineRow& row : m_timeline.rows)
        picture.rowLabels.push_back(Q(display::RowLabel(m_program.astro.tables, language, m_timeline.mode, row)));
    for (size_t a = 0; a < picture.aspectColours.size(); ++a)
        picture.aspectColours[a] = ToQColor(m_program.astro.tables.aspectColors[a]);
    const int16_t zone = WorldZoneMinutes(m_program.main);
    picture.ticks = display::TimeTicks(layout.view, zone, layout.PixelsPerDay(), kLeastTickPixels,
                                       language.currentLanguage);
    picture.worldMoment = WorldMoment(m_program);
    picture.corner = Q(language.TextWithReplacements(text::kTextTimelineZone, datetime::ZoneText(static_cast<int16_t>(zone / 30 + 24))));
    picture.emptyText = Q(language.Text(ModeDatesValid(m_program.main) ? text::kTextTimelineEmpty : text::kTextTimelineNoDates));
    picture.font = font();
    return picture;
}

QImage TimelineCanvas::WholeImage(int width) const
{
    display::TimelineLayout layout = Layout();
    layout.width = width;
    const int height = std::max(ContentHeight(), layout.headerHeight + 4 * layout.rowHeight);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const TimelinePicture picture = Picture(layout, height, 0);
    DrawTimeline(painter, picture);
    DrawLanes(painter, picture);
    return image;
}

void TimelineCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TimelinePicture picture = Picture(Layout(), height(), m_offset);
    picture.highlightedRow = m_hoverRow;
    DrawTimeline(painter, picture);
    DrawLanes(painter, picture);
}

void TimelineCanvas::DrawLanes(QPainter& painter, const TimelinePicture& picture) const
{
    if (m_lanes == nullptr)
        return;
    std::vector<QString> labels;
    for (const display::PatternLane& lane : *m_lanes)
        labels.push_back(Q(display::LaneLabel(m_program.astro.tables, lane)));
    DrawPatternLanes(painter, picture, *m_lanes, labels, static_cast<int>(m_timeline.rows.size()));
}

std::string TimelineCanvas::LaneText(int lane, double x) const
{
    const display::TimelineLayout layout = Layout();
    if (m_lanes == nullptr || lane < 0 || lane >= LaneCount() || x < layout.labelWidth)
        return {};
    const double slack = 2.0 / std::max(layout.PixelsPerDay(), 1e-9);
    const core::PatternOccurrence* life = display::LifeAt((*m_lanes)[static_cast<size_t>(lane)], layout.Moment(x), slack);
    return life != nullptr ? display::LifeText(m_program.astro.tables, m_program.language, *life,
                                               WorldZoneMinutes(m_program.main))
                           : std::string();
}

void TimelineCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetScrollOffset(m_offset);
    emit scrollOffsetChanged(m_offset);
}

void TimelineCanvas::wheelEvent(QWheelEvent* event)
{
    const display::TimeView bounds{m_timeline.from, m_timeline.to};
    const QPoint delta = event->angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    // Shift turns the wheel sideways on some systems: either way the view moves through time.
    if (event->modifiers().testFlag(Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0))
        m_view = display::Scrolled(m_view, -notches * m_view.Length() / 10.0, bounds);
    else
        m_view = display::Zoomed(m_view, Layout().Moment(event->position().x()), std::pow(kZoomPerNotch, notches),
                                 bounds, kLeastViewDays);
    update();
    event->accept();
}

void TimelineCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
        m_dragging = false;
    }
}

void TimelineCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_pressedAt && (m_dragging || (at - *m_pressedAt).manhattanLength() >= QApplication::startDragDistance())) {
        // Dragging moves the picture with the pointer, through time and through the rows.
        const QPoint moved = at - *m_pressedAt;
        m_dragging = true;
        m_pressedAt = at;
        m_view = display::Scrolled(m_view, -moved.x() / std::max(Layout().PixelsPerDay(), 1e-9),
                                   {m_timeline.from, m_timeline.to});
        SetScrollOffset(m_offset - moved.y());
        emit scrollOffsetChanged(m_offset);
        return;
    }
    ShowHoverText(at);
}

void TimelineCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedAt && !m_dragging && event->button() == Qt::LeftButton;
    m_pressedAt.reset();
    m_dragging = false;
    const display::TimelineLayout layout = Layout();
    const QPointF at = event->position();
    if (click && at.x() >= layout.labelWidth && at.x() <= layout.width - layout.rightMargin && !m_timeline.rows.empty())
        emit momentClicked(ClickedMoment(at.x(), layout.RowAt(at.y(), m_offset)));
}

void TimelineCanvas::leaveEvent(QEvent*)
{
    m_hoverRow = -1;
    QToolTip::hideText();
    update();
}

double TimelineCanvas::ClickedMoment(double x, int row) const
{
    const display::TimelineLayout layout = Layout();
    const double moment = std::clamp(layout.Moment(x), m_timeline.from, m_timeline.to);
    if (row < 0 || row >= static_cast<int>(m_timeline.rows.size()))
        return moment;
    const double slack = kSnapPixels / std::max(layout.PixelsPerDay(), 1e-9);
    const display::TimelineBar* bar = display::BarAt(m_timeline.rows[static_cast<size_t>(row)], moment, slack);
    if (bar == nullptr)
        return moment;
    for (double exact : bar->exacts)
        if (std::abs(exact - moment) <= slack)
            return exact;
    return moment;
}

void TimelineCanvas::ShowHoverText(const QPoint& at)
{
    const display::TimelineLayout layout = Layout();
    const int row = at.y() < layout.headerHeight ? -1 : layout.RowAt(at.y(), m_offset);
    const bool inRows = row >= 0 && row < static_cast<int>(m_timeline.rows.size());
    const int lane = row - static_cast<int>(m_timeline.rows.size());
    if (row != m_hoverRow) {
        m_hoverRow = inRows || (row >= 0 && lane < LaneCount()) ? row : -1;
        update();
    }
    if (!inRows && row >= 0 && lane < LaneCount()) {
        const std::string text = LaneText(lane, at.x());
        if (text.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(mapToGlobal(at), Q(text), this);
        return;
    }
    const double slack = 2.0 / std::max(layout.PixelsPerDay(), 1e-9);
    const display::TimelineBar* bar =
        inRows && at.x() >= layout.labelWidth
            ? display::BarAt(m_timeline.rows[static_cast<size_t>(row)], layout.Moment(at.x()), slack)
            : nullptr;
    if (bar == nullptr) {
        QToolTip::hideText();
        return;
    }
    const std::string text = display::BarText(m_program.astro.tables, m_program.language, m_timeline.mode,
                                              m_timeline.rows[static_cast<size_t>(row)], *bar,
                                              WorldZoneMinutes(m_program.main));
    QToolTip::showText(mapToGlobal(at), Q(text), this);
}

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
    dtpFrom = Create<QDateEdit>(this, QStringLiteral("dtpFrom"));
    dtpFrom->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpFrom->setDateRange(QDate(1, 1, 1), QDate(2799, 12, 31));
    dtpFrom->setCalendarPopup(true);
    lblSpan = Create<QLabel>(this, QStringLiteral("lblSpan"));
    cboSpan = Create<QComboBox>(this, QStringLiteral("cboSpan"));
    lblZone = Create<QLabel>(this, QStringLiteral("lblZone"));
    lblBodies = Create<QLabel>(this, QStringLiteral("lblBodies"));
    for (size_t i = 0; i < chkBody.size(); ++i) {
        chkBody[i] = Create<QCheckBox>(this, QStringLiteral("chkBody_%1").arg(i + 1));
        chkBody[i]->setChecked(true);
    }
    picTimeline = new TimelineCanvas(m_program, m_timeline, this);
    picTimeline->SetPatternLanes(&m_lanes);
    scrRows = Create<QScrollBar>(this, QStringLiteral("scrRows"));
    lblHint = Create<QLabel>(this, QStringLiteral("lblHint"));
    cmdExportPng = Create<QPushButton>(this, QStringLiteral("cmdExportPng"));
    cmdExportCsv = Create<QPushButton>(this, QStringLiteral("cmdExportCsv"));
    cmdClose = Create<QPushButton>(this, QStringLiteral("cmdClose"));
    lblHint->setWordWrap(true);
    // No button is the dialog's default: Return in the From box takes the typed date and nothing else.
    for (QPushButton* button : {cmdExportPng, cmdExportCsv, cmdClose})
        button->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{lblFrom, dtpFrom, lblSpan, cboSpan})
        top->addWidget(widget);
    top->addStretch(1);
    // The planets in two rows of five, so that the window fits beside the main window on a small screen.
    auto* bodies = new QGridLayout;
    bodies->setVerticalSpacing(0);
    bodies->addWidget(lblBodies, 0, 0);
    for (int i = 0; i < static_cast<int>(chkBody.size()); ++i)
        bodies->addWidget(chkBody[static_cast<size_t>(i)], i / 5, 1 + i % 5);
    bodies->setColumnStretch(6, 1);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(picTimeline, 1);
    middle->addWidget(scrRows);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    for (QWidget* widget : std::initializer_list<QWidget*>{cmdExportPng, cmdExportCsv, cmdClose})
        bottom->addWidget(widget);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(bodies);
    column->addLayout(middle, 1);
    column->addWidget(lblHint);
    column->addLayout(bottom);
    lblZone->hide();  // the zone stands in the picture's corner

    // A typed date is taken when it is complete (Return, or the focus leaving), not at every keystroke: a
    // long span takes a moment to search.
    dtpFrom->setKeyboardTracking(false);
    connect(dtpFrom, &QDateEdit::dateChanged, this, &frmTimeline::dtpFrom_Change);
    connect(cboSpan, &QComboBox::activated, this, &frmTimeline::cboSpan_Click);
    for (QCheckBox* box : chkBody)
        connect(box, &QCheckBox::toggled, this, &frmTimeline::chkBody_Click);
    connect(cmdExportPng, &QPushButton::clicked, this, &frmTimeline::cmdExportPng_Click);
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmTimeline::cmdExportCsv_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
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
    lblHint->setText(Q(language.Text(text::kTextTimelineHint)));
    cmdExportPng->setText(Q(language.Text(text::kTextTimelineExportPng)));
    cmdExportCsv->setText(Q(language.Text(text::kTextTimelineExportCsv)));
    cmdClose->setText(Q(language.Text(text::kTextClose)));
    picTimeline->update();
}

double frmTimeline::StartMoment() const
{
    if (const std::optional<double> world = WorldMoment(m_program))
        return *world;
    const double first = m_program.main.moments[static_cast<size_t>(core::kFirstBirthdateRow)];
    return first > 0.0 ? first : 2451545.0;
}

int16_t frmTimeline::ZoneMinutes() const
{
    return WorldZoneMinutes(m_program.main);
}

void frmTimeline::ShowTimeline()
{
    SetLanguageDependentText();
    // The span begins at the start of the world date's local day.
    const double local = StartMoment() + ZoneMinutes() / kMinutesPerDay + 0.5;
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
    const double from = static_cast<double>(dtpFrom->date().toJulianDay()) - 0.5 - ZoneMinutes() / kMinutesPerDay;
    const QDate end = dtpFrom->date().addMonths(kSpanMonths.at(static_cast<size_t>(std::max(0, cboSpan->currentIndex()))));
    const double to = static_cast<double>(end.toJulianDay()) - 0.5 - ZoneMinutes() / kMinutesPerDay;
    const app::MainModel& main = m_program.main;
    if (ModeDatesValid(main))
        m_all = display::BuildTimeline(m_program.astro, main.currentMode, main.moments, from, to);
    else
        m_all = display::Timeline{from, to, main.currentMode, {}};
    m_allLanes = ModeDatesValid(main) ? display::BuildPatternLanes(m_program.astro, main.currentMode, from, to)
                                      : std::vector<display::PatternLane>{};
    ApplyBodyFilter();
    picTimeline->ShowWholeSpan();
    SyncScrollBar();
}

void frmTimeline::ApplyBodyFilter()
{
    std::array<bool, core::kBodySlots> ticked{};
    for (size_t i = 0; i < chkBody.size(); ++i)
        ticked[i + 1] = chkBody[i]->isChecked();
    m_timeline = display::KeepBodies(m_all, ticked);
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

bool frmTimeline::SaveExport(const std::string& path, std::string_view content)
{
    bool diskFull = false;
    const platform::Result<void> saved =
        platform::SaveFile(path, content, [&diskFull](platform::SaveFault fault, const std::string&, const std::string& why) {
            diskFull = fault == platform::SaveFault::DiskFull;
            return platform::Message::Exclamation("", why);
        });
    const int16_t number = saved.ok() ? text::kTextTimelineSaved
                           : diskFull ? text::kTextTimelineDiskFull
                                      : text::kTextTimelineNotWritable;
    const std::string message = m_program.language.Text(number) + text::kLineBreak + path;
    m_boxes.Show(saved.ok() ? platform::Message::Information(windowTitle().toStdString(), message)
                            : platform::Message::Exclamation(windowTitle().toStdString(), message));
    return saved.ok();
}

bool frmTimeline::ExportPng(const std::string& path)
{
    const QImage image = picTimeline->WholeImage(std::max(picTimeline->width(), 1200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return SaveExport(path, std::string_view(png.constData(), static_cast<size_t>(png.size())));
}

bool frmTimeline::ExportCsv(const std::string& path)
{
    return SaveExport(path, display::TimelineCsv(m_program.astro.tables, m_timeline));
}

void frmTimeline::cmdExportPng_Click()
{
    const QString filter = Q(m_program.language.Text(text::kTextTimelinePngFilter)) + QStringLiteral(" (*.png)");
    const QString path = AskSaveFileName(this, cmdExportPng->text(), filter, QStringLiteral("png"));
    if (!path.isEmpty())
        ExportPng(path.toStdString());
}

void frmTimeline::cmdExportCsv_Click()
{
    const QString filter = Q(m_program.language.Text(text::kTextTimelineCsvFilter)) + QStringLiteral(" (*.csv)");
    const QString path = AskSaveFileName(this, cmdExportCsv->text(), filter, QStringLiteral("csv"));
    if (!path.isEmpty())
        ExportCsv(path.toStdString());
}

}  // namespace orvane::gui
