#include "app/agreement_dialog.h"

#include "app/app_resources.h"
#include "app/app_state.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QString AgreementText() {
    InitAppResources();
    QFile file(":/app/agreement.txt");
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

AgreementDialog::AgreementDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("552");
    setWindowTitle(QString::fromStdString(App().appTitle));
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("553");
    text->setReadOnly(true);
    text->setPlainText(AgreementText());
    text->setMinimumSize(520, 340);

    auto* accept = new QPushButton("&Accept", this);
    accept->setObjectName("1");
    accept->setDefault(true);
    accept->setAutoDefault(true);
    auto* decline = new QPushButton("&Decline", this);
    decline->setObjectName("2");
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(decline, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(decline);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    accept_ = accept;
}

void AgreementDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    accept_->setFocus();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
