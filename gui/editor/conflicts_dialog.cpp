// The "Conflicts Resolution" dialog.
#include "gui/editor/conflicts_dialog.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/check/entry_text.h"
#include "gui/check/priority_rules.h"
#include "gui/check/setting_text.h"
#include "gui/editor/dialog_constants.h"
#include "gui/editor/painter_surface.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"

namespace tokarium {

QString shortenedText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString end = QString::fromLatin1(kShortenedTextEnd);
    for (qsizetype length = text.size() - 1; length > 0; --length) {
        const QString candidate = text.left(length) + end;
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return end;
}

namespace {

// "P3", followed by the node's typed name when it has one.
QString nodeRowName(const NetNode& node) {
    const QString number = fromModelText(node.defaultName());
    return node.name().empty() ? number : number + QLatin1Char(' ') + fromModelText(node.name());
}

} // namespace

QStringList placeRowTexts(const Place& place, const PriorityEntry* entry) {
    return {nodeRowName(place),
            entry ? QString::fromStdString(entryText(*entry)) : QString()};
}

namespace {

// The row's column texts, drawn by the delegate, and in full as its tool tip.
void setRowTexts(QListWidgetItem& item, const QStringList& texts) {
    item.setData(Qt::UserRole, texts);
    item.setToolTip(texts.join(QStringLiteral("    ")).trimmed());
}

} // namespace

QStringList transitionRowTexts(const PriorityEntry& entry, std::size_t element, const NetSheet& sheet) {
    const std::int32_t index = entry.transitionIndices[element];
    const Transition* transition = sheet.findTransition(index);
    return {transition ? nodeRowName(*transition) : QStringLiteral("T%1").arg(index),
            QString::number(entry.priorities[element]),
            QString::fromStdString(ratioText(entry.ratios[element]))};
}

ColumnRowDelegate::ColumnRowDelegate(std::vector<int> boundaries, QObject* parent)
    : QStyledItemDelegate(parent), m_boundaries(std::move(boundaries)) {}

std::vector<QRect> ColumnRowDelegate::columnRects(const QRect& row) const {
    const QRect inner = row.adjusted(kRowInset, 0, -kRowInset, 0);
    std::vector<QRect> rects;
    for (std::size_t i = 0; i + 1 < m_boundaries.size(); ++i) {
        const int left = inner.left() + inner.width() * m_boundaries[i] / kFullRowPercent;
        const int right = inner.left() + inner.width() * m_boundaries[i + 1] / kFullRowPercent;
        rects.emplace_back(left, inner.top(), right - left, inner.height());
    }
    return rects;
}

std::vector<std::pair<QRect, QString>> ColumnRowDelegate::layoutRow(const QRect& row, const QStringList& texts,
                                                                    const QFontMetrics& metrics) const {
    std::vector<std::pair<QRect, QString>> placed;
    const std::vector<QRect> rects = columnRects(row);
    for (std::size_t i = 0; i < rects.size() && i < static_cast<std::size_t>(texts.size()); ++i)
        placed.emplace_back(rects[i], shortenedText(texts[static_cast<qsizetype>(i)], metrics, rects[i].width()));
    return placed;
}

void ColumnRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    QStyledItemDelegate::paint(painter, background, QModelIndex());
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool enabled = (option.state & QStyle::State_Enabled) != 0;
    painter->save();
    painter->setPen(option.palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                         selected ? QPalette::HighlightedText : QPalette::Text));
    for (const auto& [rect, text] : layoutRow(option.rect, index.data(Qt::UserRole).toStringList(), option.fontMetrics))
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

ConflictsDialog::ConflictsDialog(QWidget* parent, NetSheet& sheet)
    : QDialog(parent), m_sheet(sheet), m_places(conflictPlaces(sheet)) {
    setWindowTitle(tr("Conflicts Resolution"));
    m_placeList = new QListWidget(this);
    m_placeList->setItemDelegate(new ColumnRowDelegate({0, kPlaceNameColumnEnd, kFullRowPercent}, m_placeList));
    m_transitionList = new QListWidget(this);
    m_transitionList->setItemDelegate(
        new ColumnRowDelegate({0, kTransitionNameColumnEnd, kPriorityColumnEnd, kFullRowPercent}, m_transitionList));
    m_transition = new QLineEdit(this);
    m_transition->setReadOnly(true);
    m_priority = new QLineEdit(this);
    m_sharing = new QLineEdit(this);
    m_priority->installEventFilter(this);
    m_sharing->installEventFilter(this);
    m_close = new QPushButton(tr("Close"), this);
    connect(m_close, &QPushButton::clicked, this, &ConflictsDialog::accept);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("Transition:"), this), 0, 0);
    fields->addWidget(new QLabel(tr("Priority:"), this), 0, 1);
    fields->addWidget(new QLabel(tr("Sharing:"), this), 0, 2);
    fields->addWidget(m_transition, 1, 0);
    fields->addWidget(m_priority, 1, 1);
    fields->addWidget(m_sharing, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("List of places in conflict:"), this));
    layout->addWidget(m_placeList);
    layout->addLayout(fields);
    layout->addWidget(m_transitionList);
    layout->addLayout(buttons);
    resize(440, 420);

    for (const Place* place : m_places) {
        auto* item = new QListWidgetItem(m_placeList);
        setRowTexts(*item, placeRowTexts(*place, findEntry(m_sheet.priorities(), *place)));
    }
    connect(m_placeList, &QListWidget::currentRowChanged, this, &ConflictsDialog::selectPlace);
    connect(m_transitionList, &QListWidget::currentRowChanged, this, &ConflictsDialog::selectTransition);
    m_placeList->setCurrentRow(m_places.empty() ? -1 : 0);
    selectPlace(m_placeList->currentRow());
}

void ConflictsDialog::selectPlace(int row) {
    const bool selected = row >= 0 && row < static_cast<int>(m_places.size());
    m_entry = selected ? findEntry(m_sheet.priorities(), *m_places[static_cast<std::size_t>(row)]) : nullptr;
    const QSignalBlocker blocker(m_transitionList);
    m_transitionList->clear();
    if (m_entry) {
        for (std::size_t i = 0; i < m_entry->elementCount(); ++i) {
            auto* item = new QListWidgetItem(m_transitionList);
            setRowTexts(*item, transitionRowTexts(*m_entry, i, m_sheet));
        }
    }
    m_transitionList->setEnabled(selected);
    m_transitionList->setCurrentRow(-1);
    selectTransition(-1);
}

std::optional<std::size_t> ConflictsDialog::selectedElement() const {
    const int row = m_transitionList->currentRow();
    if (!m_entry || row < 0 || static_cast<std::size_t>(row) >= m_entry->elementCount())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void ConflictsDialog::selectTransition(int) {
    const std::optional<std::size_t> element = selectedElement();
    m_transition->setText(element ? QString::number(m_entry->transitionIndices[*element]) : QString());
    m_priority->setText(element ? QString::number(m_entry->priorities[*element]) : QString());
    m_transition->setEnabled(element.has_value());
    m_priority->setEnabled(element.has_value());
    if (element) {
        showSharing(*element);
    } else {
        m_sharing->clear();
        m_sharing->setEnabled(false);
    }
}

void ConflictsDialog::showSharing(std::size_t element) {
    m_sharing->setText(QString::fromStdString(ratioText(m_entry->ratios[element])));
    m_sharing->setEnabled(!m_sharing->text().isEmpty());
}

bool ConflictsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_priority)
            storePriority();
        else if (watched == m_sharing)
            storeSharing();
    }
    return QDialog::eventFilter(watched, event);
}

void ConflictsDialog::storePriority() {
    const std::optional<std::size_t> element = selectedElement();
    if (!element || !m_priority->isEnabled())
        return;
    applyPriorityText(*m_entry, *element, m_priority->text().trimmed().toStdString(), m_sheet);
    showSharing(*element);
    updateRowTexts();
}

void ConflictsDialog::storeSharing() {
    const std::optional<std::size_t> element = selectedElement();
    if (!element || !m_sharing->isEnabled())
        return;
    applyRatioText(*m_entry, *element, m_sharing->text().trimmed().toStdString(), m_sheet);
    updateRowTexts();
}

void ConflictsDialog::updateRowTexts() {
    for (int row = 0; row < m_placeList->count(); ++row) {
        const Place& place = *m_places[static_cast<std::size_t>(row)];
        setRowTexts(*m_placeList->item(row), placeRowTexts(place, findEntry(m_sheet.priorities(), place)));
    }
    if (m_entry) {
        for (int row = 0; row < m_transitionList->count(); ++row)
            setRowTexts(*m_transitionList->item(row), transitionRowTexts(*m_entry, static_cast<std::size_t>(row), m_sheet));
    }
    m_placeList->viewport()->update();
    m_transitionList->viewport()->update();
}

void ConflictsDialog::done(int result) {
    QWidget* focused = focusWidget();
    if (focused == m_priority)
        storePriority();
    else if (focused == m_sharing)
        storeSharing();
    QDialog::done(result);
}

} // namespace tokarium
