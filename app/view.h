#pragma once
// The project window: a child frame of the workspace holding the main form of its
// document. The form keeps no engineering data: every edit is stored in the tag
// record when its control loses the focus, and every refresh rewrites the controls
// from the record.

#include <QMdiSubWindow>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "app/platform/qt_message_sink.h"
#include "app/view_controls.h"
#include "form/calculate_command.h"
#include "form/form_rows.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace quorven {

class CQuorven64Doc;

class CQuorven64View : public QWidget {
    Q_OBJECT
public:
    CQuorven64View(CQuorven64Doc& doc, QWidget* parent = nullptr);
    ~CQuorven64View() override;
    void RefreshAll();
    void RefreshHeader();
    void RefreshFluidData();
    void RefreshSizingData();
    void RefreshFactors();
    void RefreshMeterPipe();
    void RefreshBaseConditions();
    void RefreshResults();
    // The Calculate command (32810) on the form's record.
    void Calculate();
    QPushButton* CalculateButton() const { return calculate_; }
    // Where the form's messages go: the program's sink; message boxes when unset.
    void SetMessageSink(MessageSink* sink) { sink_ = sink; }

private:
    QGroupBox* BuildFluidArea();
    QGroupBox* BuildSizingArea();
    QGroupBox* BuildFactorArea();
    QGroupBox* BuildMeterPipeArea();
    QGroupBox* BuildBaseArea();
    QGroupBox* BuildResultArea();
    QLineEdit* NumberEdit(int id, QWidget* parent);
    void CommitRow(const FormRowControls& row);
    void ChooseRowUnit(const FormRowControls& row, int index);
    void ChooseSchedule(int position);
    void StoreNominalSize(double inches);
    void AskForInsideDiameter();
    void Changed(bool engineering);
    void ShowFlaggedRows();
    bool Typed(QLineEdit* edit) const;
    MessageSink& Sink() { return sink_ != nullptr ? *sink_ : boxes_; }

    CQuorven64Doc& doc_;
    MessageSink* sink_ = nullptr;
    QtMessageSink boxes_;
    QLineEdit* tag_no_;
    QLineEdit* service_;
    QLineEdit* line_no_;
    QLineEdit* rev_;
    QLineEdit* date_;
    QLineEdit* memo_;
    QLabel* fluid_title_ = nullptr;
    QLineEdit* fluid_ = nullptr;
    std::array<FormRowControls, kFluidRowCount> fluid_rows_{};
    std::array<FormRowControls, kSizingRowCount> sizing_rows_{};
    std::array<QCheckBox*, 5> factors_{};
    QLabel* meter_family_ = nullptr;
    std::array<QLabel*, 5> meter_texts_{};  // 1033 type, 1034 style, 1036 tap style, 1035 material, 1039
    QLabel* standard_caption_ = nullptr;    // 1044
    QLabel* standard_ = nullptr;            // 1041: the discharge-coefficient standard
    QLabel* pipe_material_ = nullptr;       // beside 1735 "Pipe Material:"
    QLineEdit* pipe_id_ = nullptr;
    QComboBox* pipe_id_unit_ = nullptr;       // 1043
    QComboBox* pipe_nominal_box_ = nullptr;   // 1037: standard sizes, or a typed one
    QLineEdit* pipe_nominal_ = nullptr;       // its edit
    QComboBox* pipe_nominal_unit_ = nullptr;  // 1042
    QComboBox* pipe_sched_ = nullptr;         // 1040: the schedules of the pipe material
    QLabel* tap_loc_ = nullptr;
    std::array<QLineEdit*, 4> base_edits_{};
    std::array<QComboBox*, 4> base_units_{};  // 1050 to 1053
    // The result rows: label, value and unit statics, made once and rewritten by
    // every refresh (no widget is made while the window may be torn down).
    struct ResultRowControls {
        QLabel* label = nullptr;
        QLabel* value = nullptr;
        QLabel* unit = nullptr;
    };
    std::array<ResultRowControls, 24> result_rows_{};
    QGridLayout* result_grid_ = nullptr;
    QComboBox* result_unit_ = nullptr;    // 1056: unit of the sized quantity
    QComboBox* velocity_unit_ = nullptr;  // 1674
    QPushButton* calculate_;
    std::vector<MissingRow> flagged_;  // the rows marked since the last Error #3
};

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;
    CQuorven64Doc& Document() const { return *doc_; }
    CQuorven64View& View() const { return *view_; }
    // Where the window's messages and questions go (the form's too).
    void SetMessageSink(MessageSink* sink);

protected:
    // Closing the window asks first when its tag has unsaved edits.
    void closeEvent(QCloseEvent* event) override;
    // The wheel over a drop-down the user has not clicked into scrolls the form.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* scroll_ = nullptr;
    MessageSink* sink_ = nullptr;
    std::unique_ptr<CQuorven64Doc> doc_;
    CQuorven64View* view_;
};

}  // namespace quorven
