#include "gui/platform/place_fields.h"

#include "atlas/atlas.h"
#include "datetime/zoned_moments.h"
#include "gui/platform/qt_widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QStringListModel>

namespace orvane::gui {
namespace {

// Room for "America/Argentina/ComodRivadavia".
constexpr int kZoneCharacters = 34;

}  // namespace

PlaceField::PlaceField(app::PlaceEntry& entry, const text::Language& language, QWidget* parent)
    : QLineEdit(parent), m_entry(entry), m_language(language)
{
    m_proposals = new QStringListModel(this);
    m_completer = new QCompleter(m_proposals, this);
    // The atlas has chosen and ordered the proposals (without accents, by region and country after a
    // comma); the list shows them as they are.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(12);
    setCompleter(m_completer);
    connect(this, &QLineEdit::textEdited, this, &PlaceField::Typed);
    connect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
            [this](const QModelIndex& index) { emit placeChosen(index.row()); });
}

void PlaceField::Typed(const QString& text)
{
    m_entry.Type(text.toStdString(), atlas::Atlas::Shared(), app::PlaceNames(m_language));
    QStringList labels;
    for (const std::string& label : m_entry.Proposals())
        labels << Q(label);
    m_proposals->setStringList(labels);
    if (labels.isEmpty())
        m_completer->popup()->hide();
    else
        m_completer->complete();
}

void PlaceField::SyncFromModel()
{
    if (text() != Q(m_entry.Text()))
        setText(Q(m_entry.Text()));
}

QComboBox* CreateZoneBox(QWidget* parent, const QString& name)
{
    auto* box = Create<QComboBox>(parent, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    box->setMinimumContentsLength(kZoneCharacters);
    QStringList zones;
    for (const std::string& zone : datetime::ZoneNames())
        zones.append(Q(zone));
    box->addItems(zones);
    auto* completer = new QCompleter(zones, box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setMaxVisibleItems(12);
    box->setCompleter(completer);
    return box;
}

}  // namespace orvane::gui
