#include "AboutBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace trb {

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      releaseLine_(new QLabel(QStringLiteral("R48(2011/08/29)")))
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto *icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto *name = new QLabel(QStringLiteral("TRB-4820 Management Module"));
    name->setObjectName(QStringLiteral("aboutName"));
    auto *version = new QLabel(QStringLiteral("V1.25"));
    version->setObjectName(QStringLiteral("aboutVersion"));
    releaseLine_->setObjectName(QStringLiteral("aboutRelease"));
    releaseLine_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    releaseLine_->setVisible(false);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Release Version:")), 1, 1);
    grid->addWidget(version, 1, 2);
    grid->addWidget(releaseLine_, 2, 1, 1, 2);
    grid->addWidget(ok, 0, 3, Qt::AlignTop);
    setFixedSize(sizeHint().expandedTo(QSize(320, 110)));
}

bool AboutBox::releaseLineVisible() const { return !releaseLine_->isHidden(); }

void AboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3 || event->text() == QLatin1String("r")) {
        releaseLine_->setVisible(true);
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace trb
