#include "ui/import/ImportPage.h"

#include "ui/import/ImportStyle.h"

ImportPage::ImportPage(Activation activation, QWidget *parent)
    : QWidget(parent)
    , m_activation(activation)
{ }

void ImportPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_activation == Activation::bringToFront)
        ImportStyle::bringToFront(this);
}
