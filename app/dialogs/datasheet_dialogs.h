#pragma once
// "Enter Datasheet Data" and "Clear Datasheet". The three pages ("Datasheet - Part
// 1 of 3" to "Part 3 of 3") are built from the page descriptions of
// form/datasheet_entry.h: each shows the tag's calculated data beside the boxes
// of its datasheet texts. OK on a page stores it into the record and opens the
// next; Cancel ends the command and keeps what the earlier pages stored.

#include <QDialog>
#include <map>
#include <string>

#include "form/datasheet_entry.h"
#include "messages/messages.h"
#include "project/project_settings.h"
#include "record/tag_record.h"
#include "record/unit_tables.h"

class QLineEdit;

namespace quorven {

class CQuorven64Doc;

// One datasheet page on the caller's working record.
class CDatasheetDialog : public QDialog {
    Q_OBJECT
public:
    // `work` is the command's working copy of the record: the plate thickness
    // selection composes into it.
    CDatasheetDialog(const DsPage& page, TagRecord& work, const UnitTables& units, MessageSink& sink,
                     QWidget* parent = nullptr);

    // The texts of the boxes that OK stores (Windows-1252), by identifier.
    std::map<int, std::string> TypedTexts() const;
    // Whether the plate thickness is being entered by hand.
    bool ManualThickness() const { return manual_thickness_; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void FocusBox(int id);
    void SelectPlateThickness();
    void SetManualThickness(bool manual);

    DsPage page_;
    TagRecord& work_;
    const UnitTables& units_;
    MessageSink& sink_;
    QLineEdit* thickness_ = nullptr;       // "PLATE THICKNESS"
    QLineEdit* thickness_free_ = nullptr;  // the free box of manual selection
    bool manual_thickness_ = false;
    bool selecting_ = false;  // the selection dialog is pending or open
};

// Enter Datasheet Data (32826) on the document's record. Each page's OK stores the
// page, marks the tag unsaved and tells the document. Returns how many pages were
// stored.
int RunEnterDatasheet(QWidget* parent, CQuorven64Doc& doc, const ProjectSettings& settings,
                      MessageSink& sink);

// Clear Datasheet (32827): empties the datasheet texts and maxima, marks the tag
// unsaved and shows the notice.
void RunClearDatasheet(CQuorven64Doc& doc, MessageSink& sink);

}  // namespace quorven
