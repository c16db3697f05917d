#pragma once

// frmTimeline: the aspect timeline of the current mode as a Qt window over display::Timeline. Over a span
// (from a date, for a length chosen in a list; at first one year from the world date) every aspect in orb
// is a bar in its row; hovering over a bar tells its entry, exact moments and exit; a click sets the world
// date to the moment under the pointer (to an exact moment when one is near) and computes; the wheel zooms
// around the pointer, Shift+wheel and dragging scroll through time; the picture is exported as PNG and the
// bars as CSV. A row of check boxes keeps the pairs of the ticked planets. Above the aspects, each planet's
// lane marks its ingresses, crossings of the degrees typed, return, nodes and apsides; the positions'
// frame and kind (the convention) are chosen in two lists. It opens beside or below the
// main window, which stays in sight. Created on first use and afterwards only hidden and shown; Escape
// closes it.

#include "app/compute.h"
#include "app/workspace.h"
#include "display/pattern_lanes.h"
#include "display/timeline.h"
#include "gui/display/timeline_painter.h"
#include "gui/platform/picture_output.h"
#include "platform/message.h"
#include "platform/result.h"

#include <QDialog>
#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace orvane::gui {

class DateField;

// The world date's zone in minutes east of Greenwich: its row's zone, or the computer's.
int16_t WorldZoneMinutes(const app::MainModel& main);
// The world date as its row shows it, in every mode (the natal modes never convert it, so the last
// computation's world moment may be an older date's); that moment where the row does not convert.
std::optional<double> WorldMoment(const app::Workspace& program);
// The mode's dates as the last computation converted them: false when one it needs did not convert.
bool ModeDatesValid(const app::MainModel& main);

// picTimeline: paints the timeline and turns the mouse into zooming, scrolling, hover texts and clicks.
class TimelineCanvas : public QWidget {
    Q_OBJECT

public:
    TimelineCanvas(const app::Workspace& program, const display::Timeline& timeline, QWidget* parent);

    // The whole span shown again, scrolled to the first row.
    void ShowWholeSpan();
    void SetScrollOffset(int offset);
    int ScrollOffset() const { return m_offset; }
    int ContentHeight() const;
    // Where things are now, in the canvas' pixels.
    display::TimelineLayout Layout() const;
    // The picture of every row at `width` pixels: what the PNG export saves.
    QImage WholeImage(int width) const;
    // The same picture to print or to write as PDF, SVG or PNG (frm_timeline_output.cpp).
    gui::Picture WholePicture(int width) const;
    // The view printed on pages of `page` pixels (at the picture's own resolution, so that its text keeps
    // its size): a page a year of the view at most, as many rows as fit under the tick band, rows whole;
    // the pages of the first rows for every year first.
    std::vector<gui::Picture> PagePictures(QSize page) const;
    // The pattern lanes shown below the aspect rows (`lanes` must outlive the canvas; null for none).
    void SetPatternLanes(const std::vector<display::PatternLane>* lanes) { m_lanes = lanes; }

signals:
    void momentClicked(double moment);
    void scrollOffsetChanged(int offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The keyboard's way to what the wheel and dragging do: + and − zoom around the middle, Left and
    // Right move through time, Up, Down, Page Up and Page Down through the rows, Home shows the whole span.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TimelinePicture Picture(const display::TimelineLayout& layout, int height, int offset) const;
    // The moment a click at `x` in `row` picks: an exact moment within a few pixels, else the one under it.
    double ClickedMoment(double x, int row) const;
    void ShowHoverText(const QPoint& at);
    int LaneCount() const { return m_lanes != nullptr ? static_cast<int>(m_lanes->size()) : 0; }
    void DrawLanes(QPainter& painter, const TimelinePicture& picture) const;
    // The hover text of the pattern lane `lane` at `x`; empty where no life is.
    std::string LaneText(int lane, double x) const;

    const app::Workspace& m_program;
    const std::vector<display::PatternLane>* m_lanes = nullptr;
    const display::Timeline& m_timeline;
    display::TimeView m_view;
    int m_offset = 0;
    int m_hoverRow = -1;
    std::optional<QPoint> m_pressedAt;
    bool m_dragging = false;
};

class frmTimeline : public QDialog {
    Q_OBJECT

public:
    frmTimeline(app::Workspace& program, platform::MessageBoxes& boxes, QWidget& mainWindow);

    // The button's work: the timeline of the current computation, one year from the world date the main
    // window shows (in every mode), placed beside or below the main window within the screen and shown.
    void ShowTimeline();
    void SetLanguageDependentText();

    // The rows shown: those of the ticked planets.
    const display::Timeline& Model() const { return m_timeline; }
    // The pattern lanes shown below the rows: those of the ticked planets.
    const std::vector<display::PatternLane>& Lanes() const { return m_lanes; }
    TimelineCanvas& Canvas() { return *picTimeline; }

    // The exports once a file is chosen; each shows its message and returns it when the file was not
    // written, with its code (the disk full, the file not writable).
    platform::Result<void> ExportPng(const std::string& path);
    platform::Result<void> ExportCsv(const std::string& path);
    // The bars' entries, exact moments and exits and the bars themselves as an iCalendar file.
    platform::Result<void> ExportCalendar(const std::string& path);

    // ----- Handlers (slots named as the window's controls) ----------------------------------------------
    void dtpFrom_Change();
    void cboSpan_Click();
    void cboFrame_Click();
    void cboPositions_Click();
    void txtDegrees_Change();
    void chkBody_Click();
    void cmdExportPng_Click();
    void cmdExportCsv_Click();
    // Every row of the timeline printed through the print preview, or written as PDF, SVG or PNG.
    void cmdPrint_Click();
    void cmdExport_Click();
    void picTimeline_Click(double moment);

signals:
    // The world date was set from the timeline and computed: the main window re-syncs and shows `outcome`.
    void worldDateSet(const app::ComputeOutcome& outcome);

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();
    // The timeline of the span from dtpFrom for the length in cboSpan, built anew.
    void Rebuild();
    // The convention chosen in cboFrame and cboPositions, with the degrees last taken from txtDegrees.
    display::TimelineChoice Choice() const;
    // The rows of the ticked planets shown, the view kept.
    void ApplyBodyFilter();
    void SyncScrollBar();
    // Print and Export with their shortcuts (a caption takes a button's shortcut away) and tooltips.
    void SetOutputCaptions();
    // Where the window opens: beside the main window (moved to the screen's left edge when that makes
    // room) or below it, within the screen's available area.
    void PlaceBesideMainWindow();
    // Writes an export's bytes and shows the message: the file saved, the disk full, or its folder
    // cannot be written to. The failure shown, when there is one.
    platform::Result<void> SaveExport(const std::string& path, std::string_view content);
    int16_t ZoneMinutes() const;
    // The world date shown in the main window, or (where it does not convert) the first birthdate's.
    double StartMoment() const;

    app::Workspace& m_program;
    platform::MessageBoxes& m_boxes;
    QWidget& m_mainWindow;
    display::Timeline m_all;       // every row of the span
    display::Timeline m_timeline;  // the rows of the ticked planets, as painted and exported
    std::vector<display::PatternLane> m_allLanes;  // every pattern lane of the span
    std::vector<display::PatternLane> m_lanes;     // those of the ticked planets, painted below the rows
    bool m_syncing = false;
    std::vector<double> m_degrees;  // the crossings' longitudes last taken from txtDegrees

    QLabel* lblFrom = nullptr;
    DateField* dtpFrom = nullptr;
    QLabel* lblSpan = nullptr;
    QComboBox* cboSpan = nullptr;
    QLabel* lblZone = nullptr;
    QLabel* lblFrame = nullptr;
    QComboBox* cboFrame = nullptr;
    QLabel* lblPositions = nullptr;
    QComboBox* cboPositions = nullptr;
    QLabel* lblDegrees = nullptr;
    QLineEdit* txtDegrees = nullptr;
    QLabel* lblBodies = nullptr;
    std::array<QCheckBox*, core::kPluto> chkBody{};  // chkBody_1 (Earth) … chkBody_9 (Pluto)
    QCheckBox* chkFurtherAspects = nullptr;  // the semisquare, sesquiquadrate and quintiles as well
    TimelineCanvas* picTimeline = nullptr;
    QScrollBar* scrRows = nullptr;
    QLabel* lblHint = nullptr;
    QPushButton* cmdExportPng = nullptr;
    QPushButton* cmdExportCsv = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExport = nullptr;
};

}  // namespace orvane::gui
