#include "gui/main/frm_charts.h"

#include "gui/main/frm_chart_edit.h"
#include "gui/platform/qt_widgets.h"
#include "platform/index.h"
#include "text/text_numbers.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace orvane::gui {
namespace {

constexpr std::array<int16_t, app::kChartColumns> kColumnTexts{text::kTextChartsColumnName, text::kTextChartsColumnDate,
                                                               text::kTextChartsColumnPlace, text::kTextChartsColumnTags};
constexpr std::array<int, app::kChartColumns> kColumnWidths{220, 130, 230, 160};
constexpr int kListHeight = 360;

}  // namespace

frmCharts::frmCharts(app::Workspace& program, platform::MessageBoxes& boxes, const platform::Clock& clock,
                     std::string libraryPath, QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program), m_boxes(boxes), m_clock(clock), m_libraryPath(std::move(libraryPath)),
      m_model(program.language)
{
    setObjectName(QStringLiteral("frmCharts"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    BuildControls();
}

void frmCharts::BuildControls()
{
    lblSearch = Create<QLabel>(this, QStringLiteral("lblSearch"));
    txbSearch = Create<QLineEdit>(this, QStringLiteral("txbSearch"));
    txbSearch->setClearButtonEnabled(true);
    lblSearch->setBuddy(txbSearch);
    lstCharts = Create<QTableWidget>(this, QStringLiteral("lstCharts"));
    lstCharts->setColumnCount(static_cast<int>(app::kChartColumns));
    lstCharts->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstCharts->setSelectionMode(QAbstractItemView::SingleSelection);
    lstCharts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstCharts->setTabKeyNavigation(false);
    lstCharts->verticalHeader()->hide();
    lstCharts->horizontalHeader()->setSectionsClickable(true);
    lstCharts->horizontalHeader()->setSortIndicatorShown(true);
    lstCharts->horizontalHeader()->setStretchLastSection(true);
    for (size_t c = 0; c < app::kChartColumns; ++c)
        lstCharts->setColumnWidth(static_cast<int>(c), kColumnWidths[c]);
    lstCharts->setMinimumSize(kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + kColumnWidths[3] + 24, kListHeight);
    lblCount = Create<QLabel>(this, QStringLiteral("lblCount"));
    QPushButton** buttons[] = {&cmdNew, &cmdEdit, &cmdDelete, &cmdUseFirst, &cmdUseSecond, &cmdUseWorld, &cmdAdd, &cmdClose};
    const char* names[] = {"cmdNew", "cmdEdit", "cmdDelete", "cmdUseFirst", "cmdUseSecond", "cmdUseWorld", "cmdAdd", "cmdClose"};
    for (size_t k = 0; k < std::size(buttons); ++k) {
        *buttons[k] = Create<QPushButton>(this, QString::fromLatin1(names[k]));
        (*buttons[k])->setAutoDefault(false);
    }
    auto* addMenu = new QMenu(cmdAdd);
    for (const int16_t row : {int16_t{1}, int16_t{2}}) {
        QAction* action = addMenu->addAction(QString());
        action->setObjectName(row == 1 ? QStringLiteral("mnuAddFirst") : QStringLiteral("mnuAddSecond"));
        connect(action, &QAction::triggered, this, [this, row] { cmdAdd_Click(row); });
    }
    cmdAdd->setMenu(addMenu);

    LayOutControls();
    ConnectControls();
}

void frmCharts::LayOutControls()
{
    auto* search = new QHBoxLayout;
    search->addWidget(lblSearch);
    search->addWidget(txbSearch, 1);
    auto* side = new QVBoxLayout;
    for (QPushButton* button : {cmdNew, cmdEdit, cmdDelete})
        side->addWidget(button);
    side->addSpacing(12);
    for (QPushButton* button : {cmdUseFirst, cmdUseSecond, cmdUseWorld})
        side->addWidget(button);
    side->addSpacing(12);
    side->addWidget(cmdAdd);
    side->addStretch(1);
    side->addWidget(cmdClose);
    auto* listAndButtons = new QHBoxLayout;
    listAndButtons->addWidget(lstCharts, 1);
    listAndButtons->addLayout(side);
    auto* window = new QVBoxLayout(this);
    window->addLayout(search);
    window->addLayout(listAndButtons, 1);
    window->addWidget(lblCount);

    QWidget* previous = txbSearch;
    for (QWidget* next : std::initializer_list<QWidget*>{lstCharts, cmdNew, cmdEdit, cmdDelete, cmdUseFirst, cmdUseSecond,
                                                         cmdUseWorld, cmdAdd, cmdClose}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void frmCharts::ConnectControls()
{
    txbSearch->installEventFilter(this);
    lstCharts->installEventFilter(this);
    connect(txbSearch, &QLineEdit::textChanged, this, &frmCharts::txbSearch_Change);
    connect(lstCharts->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmCharts::lstCharts_HeaderClick);
    connect(lstCharts, &QTableWidget::itemSelectionChanged, this, &frmCharts::lstCharts_SelectionChange);
    connect(lstCharts, &QTableWidget::cellDoubleClicked, this, &frmCharts::cmdEdit_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmCharts::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmCharts::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmCharts::cmdDelete_Click);
    connect(cmdUseFirst, &QPushButton::clicked, this, [this] { cmdUse_Click(1); });
    connect(cmdUseSecond, &QPushButton::clicked, this, [this] { cmdUse_Click(2); });
    connect(cmdUseWorld, &QPushButton::clicked, this, [this] { cmdUse_Click(0); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmCharts::ShowWindow()
{
    if (!m_model.IsOpen())
        Show(m_model.Open(m_libraryPath));
    SetLanguageDependentText();
    show();
    raise();
    activateWindow();
    txbSearch->setFocus();
    txbSearch->selectAll();
}

void frmCharts::SetLanguageDependentText()
{
    const text::Language& language = m_program.language;
    setWindowTitle(Q(language.Text(text::kTextChartsTitle)));
    lblSearch->setText(Q(language.Text(text::kTextChartsSearch)));
    txbSearch->setPlaceholderText(Q(language.Text(text::kTextChartsSearchHint)));
    QStringList headings;
    for (const int16_t caption : kColumnTexts)
        headings << Q(language.Text(caption));
    lstCharts->setHorizontalHeaderLabels(headings);
    const std::array<std::pair<QPushButton*, int16_t>, 8> captions{{{cmdNew, text::kTextChartsNew},
                                                                    {cmdEdit, text::kTextChartsEdit},
                                                                    {cmdDelete, text::kTextChartsDelete},
                                                                    {cmdUseFirst, text::kTextChartsUseFirst},
                                                                    {cmdUseSecond, text::kTextChartsUseSecond},
                                                                    {cmdUseWorld, text::kTextChartsUseWorld},
                                                                    {cmdAdd, text::kTextChartsAdd},
                                                                    {cmdClose, text::kTextChartsClose}}};
    for (const auto& [button, caption] : captions)
        button->setText(Q(language.Text(caption)));
    const QList<QAction*> adds = cmdAdd->menu()->actions();
    adds[0]->setText(Q(language.Text(text::kTextChartsAddFirst)));
    adds[1]->setText(Q(language.Text(text::kTextChartsAddSecond)));
    SyncFromModel();  // the count line
}

void frmCharts::SyncFromModel()
{
    if (std::exchange(m_syncing, true))
        return;
    lstCharts->setRowCount(static_cast<int>(m_model.size()));
    for (size_t r = 0; r < m_model.size(); ++r) {
        const std::array<std::string, app::kChartColumns> cells = m_model.Cells(r);
        for (size_t c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = lstCharts->item(static_cast<int>(r), static_cast<int>(c));
            if (item == nullptr) {
                item = new QTableWidgetItem;
                lstCharts->setItem(static_cast<int>(r), static_cast<int>(c), item);
            }
            item->setText(Q(cells[c]));
        }
    }
    lstCharts->horizontalHeader()->setSortIndicator(static_cast<int>(m_model.SortColumn()),
                                                    m_model.Descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    const std::optional<size_t> chosen = m_model.ChosenIndex();
    lstCharts->clearSelection();
    if (chosen) {
        lstCharts->setCurrentCell(static_cast<int>(*chosen), 0);
        lstCharts->selectRow(static_cast<int>(*chosen));
    }
    const bool open = m_model.IsOpen();
    for (QPushButton* button : {cmdNew, cmdAdd})
        button->setEnabled(open);
    for (QPushButton* button : {cmdEdit, cmdDelete, cmdUseFirst, cmdUseSecond, cmdUseWorld})
        button->setEnabled(chosen.has_value());
    lblCount->setText(open ? Q(m_program.language.TextWithReplacements(text::kTextChartsCount,
                                                                       std::to_string(m_model.size()),
                                                                       std::to_string(m_model.Total()), m_model.Path()))
                           : QString());
    m_syncing = false;
}

void frmCharts::Show(const platform::Result<void>& outcome)
{
    if (!outcome)
        m_boxes.Show(outcome.error());
}

void frmCharts::txbSearch_Change(const QString& text)
{
    Show(m_model.Search(text.toStdString()));
    SyncFromModel();
}

void frmCharts::lstCharts_HeaderClick(int column)
{
    m_model.SortBy(static_cast<app::ChartColumn>(column));
    SyncFromModel();
}

void frmCharts::lstCharts_SelectionChange()
{
    if (m_syncing)
        return;
    const QList<QTableWidgetItem*> selected = lstCharts->selectedItems();
    m_model.Choose(selected.isEmpty() ? std::nullopt : std::optional<size_t>(static_cast<size_t>(selected.first()->row())));
    SyncFromModel();
}

gui::frmChartEdit& frmCharts::Editor()
{
    if (frmChartEdit == nullptr) {
        frmChartEdit = new gui::frmChartEdit(m_model, m_program.language, m_boxes, this);
        connect(frmChartEdit, &frmChartEdit::saved, this, [this] {
            SyncFromModel();
            lstCharts->setFocus();
        });
        // Cancel or Escape gives the keyboard back to this window, not to whichever window lies beneath.
        connect(frmChartEdit, &QDialog::rejected, this, [this] {
            activateWindow();
            lstCharts->setFocus();
        });
    }
    return *frmChartEdit;
}

void frmCharts::cmdNew_Click()
{
    // A new chart starts at the world date's moment, to be changed.
    platform::Result<charts::ChartRecord> draft = m_model.Draft(m_program, core::kWorldDateRow, m_clock);
    Editor().ShowDialog(draft ? draft.value() : charts::ChartRecord{});
}

void frmCharts::cmdEdit_Click()
{
    if (const charts::ChartRecord* chart = m_model.Chosen())
        Editor().ShowDialog(*chart);
}

void frmCharts::cmdDelete_Click()
{
    if (m_model.Chosen() == nullptr || m_boxes.Show(m_model.DeleteQuestion()) != platform::Button::Yes)
        return;
    Show(m_model.DeleteChosen());
    SyncFromModel();
    lstCharts->setFocus();
}

void frmCharts::cmdUse_Click(int16_t row)
{
    if (m_model.Chosen() == nullptr)
        return;
    m_model.UseChosen(m_program, row);
    emit momentChanged(row);
}

void frmCharts::cmdAdd_Click(int16_t row)
{
    platform::Result<charts::ChartRecord> draft = m_model.Draft(m_program, row, m_clock);
    if (!draft) {
        m_boxes.Show(draft.error());
        return;
    }
    Editor().ShowDialog(draft.value());
}

bool frmCharts::eventFilter(QObject* watched, QEvent* event)
{
    // Tabbing into the list chooses the chart under its cursor (the first one at first), as a click would.
    if (watched == lstCharts && event->type() == QEvent::FocusIn && !m_model.ChosenIndex() && m_model.size() > 0) {
        m_model.Choose(static_cast<size_t>(std::max(lstCharts->currentRow(), 0)));
        SyncFromModel();
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == txbSearch && (enter || key == Qt::Key_Down) && m_model.size() > 0) {
        if (!m_model.ChosenIndex())
            m_model.Choose(0);
        SyncFromModel();
        lstCharts->setFocus();
        return true;
    }
    if (watched == lstCharts && enter) {
        cmdEdit_Click();
        return true;
    }
    if (watched == lstCharts && key == Qt::Key_Delete) {
        cmdDelete_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvane::gui
