#include "InvitationView.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int VISIBLE_ROWS = 4;

QString statusText(CalAttendee::Status status) {
    switch (status) {
    case CalAttendee::Accepted:
        return InvitationView::tr("accepted");
    case CalAttendee::Tentative:
        return InvitationView::tr("maybe");
    case CalAttendee::Declined:
        return InvitationView::tr("declined");
    case CalAttendee::Delegated:
        return InvitationView::tr("delegated");
    case CalAttendee::NeedsAction:
        break;
    }
    return InvitationView::tr("no answer yet");
}

// A disc in the answer's colour with its mark, drawn rather than taken from the icon theme, which has
// no icons for answers that every theme carries.
QIcon statusIcon(CalAttendee::Status status, int size) {
    struct Look {
        QColor color;
        QString mark;
    };
    static const Look LOOKS[] = {
        {QColor(0x9a, 0x9a, 0x9a), QStringLiteral("?")},
        {QColor(0x2e, 0x9d, 0x4f), QStringLiteral("\u2713")},
        {QColor(0xd9, 0x8e, 0x04), QStringLiteral("~")},
        {QColor(0xc6, 0x28, 0x28), QStringLiteral("\u2715")},
        {QColor(0x3f, 0x6f, 0xc4), QStringLiteral("\u2192")},
    };
    const Look& look = LOOKS[status];
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.color);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, look.mark);
    return QIcon(pixmap);
}

QString described(const CalAttendee& person) {
    return person.commonName.isEmpty() || person.address.isEmpty()
               ? person.displayName()
               : QStringLiteral("%1 <%2>").arg(person.commonName, person.address);
}

} // namespace

InvitationView::InvitationView(QWidget* parent)
    : QWidget(parent), m_organizerLabel(new QLabel(this)), m_attendeeList(new QListWidget(this)),
      m_answerRow(new QWidget(this)), m_answers(new QButtonGroup(this)), m_hintLabel(new QLabel(this)) {
    m_organizerLabel->setTextFormat(Qt::PlainText);
    m_organizerLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_attendeeList->setAccessibleName(tr("Attendees"));
    m_attendeeList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_attendeeList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_attendeeList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int iconSize = m_attendeeList->fontMetrics().height();
    m_attendeeList->setIconSize(QSize(iconSize, iconSize));

    auto* answers = new QHBoxLayout(m_answerRow);
    answers->setContentsMargins(0, 0, 0, 0);
    answers->addWidget(new QLabel(tr("Your answer:"), m_answerRow));
    const std::pair<CalAttendee::Status, QString> buttons[] = {{CalAttendee::Accepted, tr("Acce&pt")},
                                                               {CalAttendee::Tentative, tr("&Maybe")},
                                                               {CalAttendee::Declined, tr("Decl&ine")}};
    for (const auto& [status, text] : buttons) {
        auto* button = new QPushButton(text, m_answerRow);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setIcon(statusIcon(status, iconSize));
        m_answers->addButton(button, status);
        answers->addWidget(button);
    }
    answers->addStretch();
    connect(m_answers, &QButtonGroup::idClicked, this,
            [this](int status) { emit answerChosen(CalAttendee::Status(status)); });
    m_hintLabel->setWordWrap(true);
    m_hintLabel->setText(tr("To answer, add your address in Preferences under My addresses."));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_organizerLabel);
    layout->addWidget(m_attendeeList);
    layout->addWidget(m_answerRow);
    layout->addWidget(m_hintLabel);
}

bool InvitationView::isInvitation(const CalEvent& event) {
    return event.organizer || !event.attendees.isEmpty();
}

QPushButton* InvitationView::answerButton(CalAttendee::Status status) const {
    return qobject_cast<QPushButton*>(m_answers->button(status));
}

void InvitationView::setEvent(const CalEvent& event, const QStringList& myAddresses, bool editable) {
    m_organizerLabel->setVisible(event.organizer.has_value());
    if (event.organizer)
        m_organizerLabel->setText(tr("Organizer: %1").arg(described(*event.organizer)));
    m_attendeeList->clear();
    const int iconSize = m_attendeeList->iconSize().height();
    for (const CalAttendee& attendee : event.attendees) {
        const QString status = statusText(attendee.status);
        auto* item = new QListWidgetItem(statusIcon(attendee.status, iconSize), attendee.displayName());
        item->setToolTip(QStringLiteral("%1: %2").arg(described(attendee), status));
        item->setData(Qt::AccessibleTextRole, QStringLiteral("%1, %2").arg(attendee.displayName(), status));
        m_attendeeList->addItem(item);
    }
    m_attendeeList->setVisible(!event.attendees.isEmpty());
    const int rows = std::min<int>(int(event.attendees.size()), VISIBLE_ROWS);
    m_attendeeList->setFixedHeight(rows * m_attendeeList->sizeHintForRow(0) +
                                   2 * m_attendeeList->frameWidth());

    const qsizetype mine = CalAttendee::indexOf(event.attendees, myAddresses);
    const CalAttendee* me = mine < 0 ? nullptr : &event.attendees[mine];
    const bool organizing =
        event.organizer && std::any_of(myAddresses.begin(), myAddresses.end(), [&](const QString& address) {
            return event.organizer->hasAddress(address);
        });
    m_answerRow->setVisible(me && !organizing);
    m_answerRow->setEnabled(editable);
    m_hintLabel->setVisible(!me && !organizing && !event.attendees.isEmpty());
    m_answers->setExclusive(false); // so that no button stays checked for an answer not yet given
    for (QAbstractButton* button : m_answers->buttons())
        button->setChecked(me && m_answers->id(button) == me->status);
    m_answers->setExclusive(true);
}
