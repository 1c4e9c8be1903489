#pragma once
// Modal dialogs built from controls that carry their numeric identifiers: each
// control's objectName is "id" and its number, so commands, tests and
// screenshots find it. A dialog is filled from a copy of the record before it
// shows; the caller writes the copy back only when it ends with OK.

#include <QDialog>
#include <QValidator>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QVBoxLayout;

namespace quorven {

// Accepts decimal numbers with a '.' decimal point whatever the user's locale,
// refuses every other character, and accepts a value only inside [min, max].
// A number still being typed ("-", "1.", "1e") or outside the range is
// Intermediate: it can be finished but not taken.
class DecimalRangeValidator final : public QValidator {
    Q_OBJECT

public:
    DecimalRangeValidator(double min, double max, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    double Min() const { return min_; }
    double Max() const { return max_; }

private:
    double min_;
    double max_;
};

// The value of a numeric edit, or nothing when its text is not an accepted number.
std::optional<double> NumberInEdit(const QLineEdit& edit);

class CIdDialog : public QDialog {
    Q_OBJECT
public:
    CIdDialog(const QString& caption, QWidget* parent = nullptr);

    QLabel* AddStatic(int id, const QString& text);
    // A unit name beside `field`, a control already added with its label.
    QLabel* AddUnitBeside(int id, QWidget* field, const QString& text);
    // A static text with its own label in front.
    QLabel* AddStaticRow(int id, const QString& label, const QString& text);
    QLineEdit* AddEdit(int id, const QString& label, int max_length);
    QLineEdit* AddNumericEdit(int id, const QString& label, double min, double max);
    QCheckBox* AddCheck(int id, const QString& text);
    // A group of radio buttons, one per (id, text); the first is checked.
    std::vector<QRadioButton*> AddRadioGroup(const QString& title,
                                             const std::vector<std::pair<int, QString>>& buttons);
    QComboBox* AddCombo(int id, const QString& label, const QStringList& items);
    QListWidget* AddList(int id, const QString& label, const QStringList& items);

    // The control with this identifier, or null.
    template <typename T>
    T* Control(int id) const {
        return findChild<T*>(QStringLiteral("id%1").arg(id));
    }

    // The radio button of a group that is checked: its identifier, or 0.
    int CheckedRadio(const std::vector<int>& ids) const;

public Q_SLOTS:
    // OK: takes the dialog only when every numeric edit holds a number in its range;
    // otherwise says which range applies and puts the focus on the edit.
    void accept() override;

private:
    QVBoxLayout* layout_;
    QFormLayout* form_;
};

}  // namespace quorven
