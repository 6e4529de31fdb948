#include "PleaseWaitDialog.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMovie>
#include <QStatusBar>
#include <QVBoxLayout>

#include "MainWindowLink.h"
#include "ShippedFile.h"
#include "TimeScale.h"

namespace trb {

PleaseWaitDialog::PleaseWaitDialog(QWidget *page)
    : QDialog(page, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(new QLabel(QStringLiteral("Please wait..."))), animation_(new QLabel),
      statusBar_(new QStatusBar)
{
    setObjectName(QStringLiteral("pleaseWaitDialog"));
    setWindowTitle(QStringLiteral("Please Wait..."));
    setFixedSize(kWidth, kMinimumHeight);
    text_->setObjectName(QStringLiteral("waitText"));
    // Long texts wrap, and the dialog grows to hold them whole (SetText).
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignCenter);
    text_->setContentsMargins(10, 0, 10, 0);
    statusBar_->setObjectName(QStringLiteral("waitStatusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setMinimumHeight(10);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(animation_, 1, Qt::AlignHCenter);
    layout->addWidget(text_);
    layout->addWidget(statusBar_);

    if (QFileInfo::exists(AnimationPath())) {
        movie_ = new QMovie(AnimationPath(), QByteArray(), this);
        if (movie_->isValid())
            animation_->setMovie(movie_);
        else
            delete std::exchange(movie_, nullptr);
    }
    SetText(QStringLiteral("Device is rebooting, please wait..."));

    started_.start();
    ShowElapsed();
    if (QMainWindow *main = MainWindowLink::Window())
        move(main->frameGeometry().center() - rect().center());
    MainWindowLink::SetEnabled(false);
    connect(&tick_, &QTimer::timeout, this, &PleaseWaitDialog::ShowElapsed);
    tick_.start(ScaledMilliseconds(1000)); // the counter itself shows real seconds
}

PleaseWaitDialog::~PleaseWaitDialog()
{
    tick_.stop();
    if (movie_)
        movie_->stop();
    MainWindowLink::SetEnabled(true);
}

bool PleaseWaitDialog::animationOpened() const { return movie_ != nullptr; }

void PleaseWaitDialog::PlayAnimation()
{
    if (movie_)
        movie_->start(); // GIF loops as the file says; ours loops forever
}

void PleaseWaitDialog::SetText(const QString &text)
{
    text_->setText(text);
    layout()->activate();
    setFixedSize(kWidth, std::max(kMinimumHeight, layout()->totalHeightForWidth(kWidth)));
}
QString PleaseWaitDialog::text() const { return text_->text(); }
QString PleaseWaitDialog::elapsedText() const { return statusBar_->currentMessage(); }

QString PleaseWaitDialog::ElapsedText(qint64 seconds)
{
    return QString::asprintf("Elapsed Time\t\t%02d:%02d:%02d", int(seconds / 3600 % 24),
                             int(seconds / 60 % 60), int(seconds % 60));
}

QString PleaseWaitDialog::AnimationPath()
{
    return ShippedFile(QStringLiteral("download.gif"));
}

void PleaseWaitDialog::ShowElapsed()
{
    // Rounded: a tick that comes a little early must not show the previous second again.
    statusBar_->showMessage(ElapsedText((started_.elapsed() + 500) / 1000));
}

void PleaseWaitDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace trb
