#include "PleaseWaitDialog.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QLocale>
#include <QMovie>
#include <QProgressBar>
#include <QStatusBar>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "MainWindowLink.h"
#include "ShippedFile.h"
#include "TimeScale.h"

namespace trb {

PleaseWaitDialog::PleaseWaitDialog(QWidget *page)
    : QDialog(page, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(new QLabel(QStringLiteral("Please wait..."))), progressText_(new QLabel), progressBar_(new QProgressBar),
      phase_(new QLabel), animation_(new QLabel), statusBar_(new QStatusBar)
{
    setObjectName(QStringLiteral("pleaseWaitDialog"));
    setWindowTitle(QStringLiteral("Please Wait..."));
    setFixedSize(kWidth, kMinimumHeight);
    text_->setObjectName(QStringLiteral("waitText"));
    // Long texts wrap, and the dialog grows to hold them whole (SetText).
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignCenter);
    text_->setContentsMargins(10, 0, 10, 0);
    progressText_->setObjectName(QStringLiteral("transferProgressText"));
    progressBar_->setObjectName(QStringLiteral("transferProgressBar"));
    phase_->setObjectName(QStringLiteral("devicePhaseText"));
    for (QLabel *label : {progressText_, phase_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setContentsMargins(10, 0, 10, 0);
    }
    progressBar_->setTextVisible(false);
    for (QWidget *part : {static_cast<QWidget *>(progressText_), static_cast<QWidget *>(progressBar_), static_cast<QWidget *>(phase_)})
        part->hide();
    statusBar_->setObjectName(QStringLiteral("waitStatusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setMinimumHeight(10);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(animation_, 1, Qt::AlignHCenter);
    layout->addWidget(text_);
    layout->addWidget(progressText_);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(16, 0, 16, 0);
    bar->addWidget(progressBar_);
    layout->addLayout(bar);
    layout->addWidget(phase_);
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
    FitHeight();
}

void PleaseWaitDialog::FitHeight()
{
    layout()->activate();
    setFixedSize(kWidth, std::max(kMinimumHeight, layout()->totalHeightForWidth(kWidth)));
}

QString PleaseWaitDialog::ProgressText(const QString &fileName, quint64 bytes, quint64 total, double bytesPerSecond)
{
    const QLocale c = QLocale::c();
    const auto size = [&](quint64 value) { return c.formattedDataSize(qint64(value), 1, QLocale::DataSizeIecFormat); };
    QString text = fileName + QStringLiteral(": ") + size(bytes);
    if (total > 0)
        text += QStringLiteral(" of ") + size(total);
    if (bytesPerSecond > 0)
        text += QStringLiteral(", ") + size(quint64(bytesPerSecond)) + QStringLiteral("/s");
    return text;
}

void PleaseWaitDialog::ShowProgress(const QString &fileName, quint64 bytes, quint64 total, double bytesPerSecond)
{
    progressText_->setText(ProgressText(fileName, bytes, total, bytesPerSecond));
    constexpr int kSteps = 1000; // the bar in tenths of a percent: sizes beyond int need no care
    progressBar_->setRange(0, total > 0 ? kSteps : 0);
    if (total > 0)
        progressBar_->setValue(int(std::min(bytes, total) * kSteps / total));
    progressText_->show();
    progressBar_->show();
    FitHeight(); // a longer text may need another line
}

void PleaseWaitDialog::ShowDevicePhase(const QString &phase)
{
    phase_->setText(phase);
    phase_->setVisible(!phase.isEmpty());
    FitHeight();
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
