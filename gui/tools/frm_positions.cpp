#include "gui/tools/frm_positions.h"

#include "app/geocentric_view.h"
#include "platform/twips.h"
#include "text/text_numbers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvane::gui {
namespace {

using platform::Px;

constexpr int kColumns = 4;
// The window's least size in twips: the table's four columns and thirteen rows without a scroll bar.
constexpr int32_t kLeastWidth = 7800;
constexpr int32_t kLeastHeight = 7200;
// Pixels of a table row beyond its text's height.
constexpr int kRowPadding = 4;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QLabel* WrappedLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

frmPositions::frmPositions(const app::Workspace& program, QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program)
{
    setObjectName(QStringLiteral("frmPositions"));
    setMinimumSize(Px(kLeastWidth), Px(kLeastHeight));
    lblMoment = WrappedLabel(this, QStringLiteral("lblMoment"));
    lstPositions = new QTableWidget(0, kColumns, this);
    lstPositions->setObjectName(QStringLiteral("lstPositions"));
    lstPositions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPositions->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstPositions->verticalHeader()->hide();
    lstPositions->verticalHeader()->setDefaultSectionSize(lstPositions->fontMetrics().height() + kRowPadding);
    lstPositions->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    lblPlace = WrappedLabel(this, QStringLiteral("lblPlace"));
    lblConventions = WrappedLabel(this, QStringLiteral("lblConventions"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMoment);
    layout->addWidget(lstPositions, 1);
    layout->addWidget(lblPlace);
    layout->addWidget(lblConventions);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
}

void frmPositions::ShowWindow()
{
    SyncFromModel();
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    cmdClose->setFocus();
}

void frmPositions::SyncFromModel()
{
    const text::Language& language = m_program.language;
    setWindowTitle(Q(language.Text(text::kTextPositionsTitle)));
    cmdClose->setText(Q(language.Text(text::kTextClose)));
    const display::PositionsTable table = app::ShownPositionsTable(m_program);
    QStringList headings;
    for (const std::string& heading : table.headings)
        headings << Q(heading);
    lstPositions->setHorizontalHeaderLabels(headings);
    lstPositions->setRowCount(static_cast<int>(table.rows.size()));
    for (int r = 0; r < lstPositions->rowCount(); ++r) {
        const display::PositionsRow& row = table.rows[static_cast<size_t>(r)];
        const std::array<const std::string*, kColumns> cells{&row.name, &row.helio, &row.geo, &row.difference};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(Q(*cells[static_cast<size_t>(c)]));
            // Figures line up on the right, names on the left.
            item->setTextAlignment(Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight));
            lstPositions->setItem(r, c, item);
        }
    }
    lblMoment->setText(Q(table.moment));
    lblPlace->setText(Q(table.place));
    lblPlace->setVisible(!table.place.empty());
    lblConventions->setText(Q(table.conventions));
}

}  // namespace orvane::gui
