// The "Messages" dialog.
#include "gui/editor/messages_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/check/check_messages.h"
#include "gui/editor/painter_surface.h"

namespace tokarium {

MessagesDialog::MessagesDialog(QWidget* parent, const std::vector<std::string>& messages) : QDialog(parent) {
    setWindowTitle(fromModelText(kMessagesDialogTitle));
    m_list = new QListWidget(this);
    for (const std::string& message : messages)
        m_list->addItem(fromModelText(message));
    m_list->setToolTip(tr("Double-click a message to select its object"));
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (m_activated)
            m_activated(static_cast<std::size_t>(m_list->row(item)));
    });
    m_close = new QPushButton(tr("Close"), this);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &MessagesDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(420, 240);
}

void showMessages(QWidget* parent, const std::vector<std::string>& messages) {
    MessagesDialog dialog(parent, messages);
    dialog.exec();
}

} // namespace tokarium
