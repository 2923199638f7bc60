#pragma once
// The small up-down control beside a numeric edit. It steps a position within its
// range (wrapping at the ends when asked) and writes the number into the edit; the
// edit keeps its own text rules. The Up and Down keys in the edit step it too.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace q9tx {

class UpDownButton : public QWidget {
    Q_OBJECT
public:
    UpDownButton(QLineEdit* associate, int minimum, int maximum, bool wraps, QWidget* parent = nullptr);

    QLineEdit* associate() const { return associate_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    bool wraps() const { return wraps_; }
    int position() const { return position_; }

    // Sets the position (held in range) and writes it into the edit.
    void setPosition(int position);
    // Steps from the number the edit shows, or from the position when the edit
    // holds no number, and writes the result into the edit.
    void stepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
    bool wraps_;
    int position_;
};

}  // namespace q9tx
