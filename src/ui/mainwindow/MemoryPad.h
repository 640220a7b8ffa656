#pragma once
// The memory buttons "M+", "MR" and "M=" and the memory display above them.

#include <QVector>
#include <QWidget>

class QLabel;

namespace qm::ui {

class SuperButton;

enum class MemoryKey { Store = 0, Recall = 1, StoreTotal = 2 };

class MemoryPad : public QWidget {
    Q_OBJECT
public:
    explicit MemoryPad(QWidget* parent);

    void setDisplay(const QString& text);
    QString display() const;
    QVector<SuperButton*> buttons() const { return buttons_; }

signals:
    void pressed(qm::ui::MemoryKey key);

private:
    QLabel* display_ = nullptr;
    QVector<SuperButton*> buttons_;
};

} // namespace qm::ui
