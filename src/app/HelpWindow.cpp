#include "HelpWindow.h"

#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser) {
    setWindowTitle(tr("Verdalune Help"));
    m_browser->setAccessibleName(tr("User guide"));
    // Links out of the guide go to the desktop's browser, never loaded here.
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/guide.html")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 640);
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::showTopic(const QString& topic) {
    show();
    raise();
    activateWindow();
    if (topic.isEmpty())
        m_browser->verticalScrollBar()->setValue(0);
    else
        m_browser->scrollToAnchor(topic);
}
