#include "ReadProgressStatus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

ReadProgressStatus::ReadProgressStatus(QWidget* parent)
    : QWidget(parent), m_label(new QLabel), m_bar(new QProgressBar) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addStretch();
    // The bar counts in thousandths: a store may hold more files than an int.
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);
    m_bar->setMaximumWidth(240);
    m_label->setBuddy(m_bar);
    hide();
}

void ReadProgressStatus::showProgress(qsizetype read, qsizetype total) {
    if (total <= 0 || read >= total) {
        hide();
        return;
    }
    const QLocale locale;
    const QString text =
        tr("Reading calendar files: %1 of %2").arg(locale.toString(read), locale.toString(total));
    m_label->setText(text);
    m_bar->setAccessibleName(text);
    m_bar->setValue(int(read * 1000 / total));
    show();
}
