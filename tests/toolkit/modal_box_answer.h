#pragma once
// Answers the real modal message boxes shown while it lives: OK, once a box has become the active
// window, as a user who sees it does. A box that never takes the focus stays unanswered and
// blocks the test, which its time limit then ends.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

class ModalBoxAnswer {
public:
    ModalBoxAnswer() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isActiveWindow()) return;
            ++answered;
            box->button(QMessageBox::Ok)->click();
        });
        poll_.start(20);
    }

    int answered = 0;

private:
    QTimer poll_;
};
