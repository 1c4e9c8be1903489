#pragma once
// The project window: a child frame of the workspace holding the form view of its
// document. The form shows the tag header now; its data areas come with the
// main form.

#include <QMdiSubWindow>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPushButton;

namespace quorven {

class CQuorven64Doc;

class CQuorven64View : public QWidget {
    Q_OBJECT
public:
    CQuorven64View(CQuorven64Doc& doc, QWidget* parent = nullptr);
    void RefreshAll();
    QPushButton* CalculateButton() const { return calculate_; }

private:
    CQuorven64Doc& doc_;
    QLineEdit* tag_no_;
    QLineEdit* service_;
    QLineEdit* line_no_;
    QLineEdit* rev_;
    QLineEdit* date_;
    QLineEdit* memo_;
    QPushButton* calculate_;
};

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;
    CQuorven64Doc& Document() const { return *doc_; }
    CQuorven64View& View() const { return *view_; }

private:
    std::unique_ptr<CQuorven64Doc> doc_;
    CQuorven64View* view_;
};

}  // namespace quorven
