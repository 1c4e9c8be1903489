#include "app/dialogs/meter_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/commands/command_ids.h"
#include "app/dialogs/dialog_helpers.h"
#include "app/document.h"
#include "app/platform/form_controls.h"
#include "app/platform/id_dialog.h"
#include "app/platform/qt_message_sink.h"
#include "app/platform/qt_text.h"
#include "record/cformat.h"
#include "record/formats.h"
#include "record/unit_tables.h"
#include "record/units.h"

namespace quorven {
namespace {

using namespace cmd;  // command identifiers
using namespace dialog_detail;

using RadioList = std::vector<std::pair<int, QString>>;

const RadioList kPlateTypes = {{1128, "&Concentric Bore"},
                               {1129, "&Segmental Bore"},
                               {1130, "&Eccentric Bore"},
                               {1133, "&Integral Orifice"},
                               {1132, "Small &Bore Precision Orifice"},
                               {1131, "&Quadrant Edged"},
                               {1134, "Co&nic Edged"}};
const RadioList kPlateStandards = {
    {1137, "S&tolz Equation - Miller - ASME MFC-3M (1989) and ISO-5167 (1991)"},
    {1138, "&Reader/Harris Equation - ANSI/API 2530 and AGA Rpt. No. 3 (1992)"},
    {1777, "Reader/Harris Equation - ANSI/API 2530 and AGA Rpt. No. 3 (2012)"},
    {1139, "&Buckingham Equation - Spink - ANSI/API 2530 and AGA Rpt. No. 3 (1985)"},
    {1703, "Reader-Harris/Gallagher (1998) - ASME MFC-3Ma (2007) and ISO 5167-2 (2022) "},
    {1749, "ASME MFC-14M (2003) - Small Bore Precision Orifice Meters"},
    {1764, "RW Miller 3rd Edition Discharge Standards"},
    {1765, "ISO/TR 15377 (2007) Discharge Standards"},
    {1774, "ASME PTC 19.5 (2004)"}};

std::vector<int> Ids(const RadioList& list) {
    std::vector<int> ids;
    for (const auto& [id, text] : list) ids.push_back(id);
    return ids;
}

// The integral orifice choices; true on OK.
bool RunIntegralOrificeDialog(QWidget* parent, int32_t& mfr, int32_t& size) {
    CIdDialog d(QStringLiteral("Integral Orifice Data"), parent);
    d.AddRadioGroup(QStringLiteral(" Manufacturer"), {{1143, "&Siebe Foxboro"}, {1144, "&Fisher-Rosemount"}});
    d.AddRadioGroup(QStringLiteral("Size && Profile Settings"), {{1145, "&Quadrant-edged - 1/2\" Diameter"},
                                                                 {1146, "&Square-edged - 1/2\" Diameter"},
                                                                 {1147, "Sq&uare-edged - 1\" Diameter"},
                                                                 {1148, "Squ&are-edged - 1-1/2\" Diameter"}});
    Check(d, mfr);
    Check(d, size);
    if (d.exec() != QDialog::Accepted) return false;
    mfr = d.CheckedRadio({1143, 1144});
    size = d.CheckedRadio({1145, 1146, 1147, 1148});
    return true;
}

}  // namespace

bool RunCalcSetupDialog(QWidget* parent, TagRecord& record, CritDropMemory& crit, bool& tag_saved) {
    CIdDialog d(QStringLiteral("Calculation Setup"), parent);
    d.AddRadioGroup(
        QStringLiteral("Sizing Parameter"),
        {{1120, "Calculate for &Bore"}, {1121, "Calculate for &dP"}, {1122, "Calculate for &Flow"}});
    d.AddRadioGroup(QStringLiteral("Calculation Mode"), {{1123, "Flow &Meter Sizing"},
                                                         {1124, "&Critical Drop Restriction Sizing"},
                                                         {1125, "&Pressure Drop Restriction Sizing"}});
    const bool wedge = IsStandardWedge(record.Meter_Type);
    int32_t param = record.Calc_SizeParam;
    if (wedge && param == Code(SizeParam::Bore)) param = Code(SizeParam::Dp);
    if (record.Calc_Mode == Code(CalcMode::CriticalDrop) && param == Code(SizeParam::Dp))
        param = Code(SizeParam::Bore);
    Check(d,
          param >= Code(SizeParam::Bore) && param <= Code(SizeParam::Flow) ? param : Code(SizeParam::Bore));
    Check(d, record.Calc_Mode >= Code(CalcMode::Meter) && record.Calc_Mode <= Code(CalcMode::Restriction)
                 ? record.Calc_Mode
                 : Code(CalcMode::Meter));
    auto rule = [&d, wedge] {
        const bool crit_mode = d.CheckedRadio({Code(CalcMode::CriticalDrop)}) == Code(CalcMode::CriticalDrop);
        if (crit_mode && d.CheckedRadio({Code(SizeParam::Dp)}) == Code(SizeParam::Dp))
            Check(d, Code(SizeParam::Bore));
        Enable(d, Code(SizeParam::Dp), !crit_mode);
        Enable(d, Code(SizeParam::Bore), !wedge);
    };
    for (int id : {Code(CalcMode::Meter), Code(CalcMode::CriticalDrop), Code(CalcMode::Restriction)})
        QObject::connect(d.Control<QRadioButton>(id), &QRadioButton::toggled, &d, rule);
    rule();
    const bool ok = d.exec() == QDialog::Accepted;
    tag_saved = false;
    if (ok) {
        TagRecord copy = record;
        ApplyCalcSetup(copy,
                       d.CheckedRadio({Code(SizeParam::Bore), Code(SizeParam::Dp), Code(SizeParam::Flow)}),
                       d.CheckedRadio({Code(CalcMode::Meter), Code(CalcMode::CriticalDrop),
                                       Code(CalcMode::Restriction)}),
                       crit);
        record = copy;
    } else {
        record.Calc_Status = 0;  // the tag is calculated again whether OK or Cancel
    }
    return true;
}

bool RunOrificePlateDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory) {
    CIdDialog d(QStringLiteral("Orifice Plate Data"), parent);
    d.AddRadioGroup(QStringLiteral("Plate Type"), kPlateTypes);
    auto* taps = d.AddCombo(1136, QStringLiteral("Tap Style"), {});
    auto* material = AddMaterialCombo(d, 1135, QStringLiteral("Plate Material"), record.Unit_Temp_Set,
                                      memory.plate_material_position[0]);
    d.AddStatic(1141, QStringLiteral("Integral Orifice Piping Material"));
    auto* pipe_material =
        AddMaterialCombo(d, 1140, QString(), record.Unit_Temp_Set, memory.ifoa_pipe_material_position);
    d.AddRadioGroup(QStringLiteral("Discharge Coefficient Standard"), kPlateStandards);

    const int32_t mode = record.Calc_Mode;
    MeterDialogMemory work = memory;
    Check(d, mode == Code(CalcMode::Restriction) ? Code(MeterType::ConcentricOrifice) : work.plate_type);
    Check(d, work.plate_std);

    auto type_of = [&d] { return d.CheckedRadio(Ids(kPlateTypes)); };
    auto refresh = [&, mode](bool keep_tap) {
        const int32_t type = type_of();
        const int index = std::max(PlateTypeIndex(type), 0);
        const auto enabled = OrificeStandardsEnabled(type, mode);
        for (int id : Ids(kPlateStandards))
            Enable(d, id, std::find(enabled.begin(), enabled.end(), id) != enabled.end());
        int32_t std_id = d.CheckedRadio(Ids(kPlateStandards));
        if (const int32_t forced = OrificeStandardForced(type, mode); forced != 0)
            std_id = forced;
        else if (std::find(enabled.begin(), enabled.end(), std_id) == enabled.end())
            std_id = enabled.empty() ? 0
                                     : (type == Code(MeterType::ConcentricOrifice)
                                            ? Code(CalcStd::ReaderHarrisGallagher1998)
                                            : enabled.front());
        if (std_id != 0) Check(d, std_id);
        const auto list = OrificeTapList(type, std_id, mode);
        int position = keep_tap ? taps->currentIndex() : work.tap_position[index];
        if (mode == Code(CalcMode::Restriction)) position = 3;
        if (position < 0 || position >= static_cast<int>(list.size())) position = 0;
        {
            const QSignalBlocker block(taps);
            taps->clear();
            for (const std::string& t : list) taps->addItem(ToQString(t));
            taps->setCurrentIndex(position);
        }
        taps->setEnabled(mode != Code(CalcMode::Restriction));
        {
            const QSignalBlocker block(material);
            material->setCurrentIndex(work.plate_material_position[index]);
        }
        pipe_material->setVisible(type == Code(MeterType::IntegralOrifice));
        d.Control<QLabel>(1141)->setVisible(type == Code(MeterType::IntegralOrifice));
    };
    for (const auto& [id, text] : kPlateTypes) {
        auto* radio = d.Control<QRadioButton>(id);
        radio->setEnabled(mode != Code(CalcMode::Restriction) || id == Code(MeterType::ConcentricOrifice));
        QObject::connect(radio, &QRadioButton::toggled, &d, [&, id](bool on) {
            if (!on) return;
            refresh(false);
            if (id == Code(MeterType::IntegralOrifice) && d.isVisible())
                RunIntegralOrificeDialog(&d, work.ifoa_mfr, work.ifoa_size);
        });
    }
    for (int id : Ids(kPlateStandards))
        QObject::connect(d.Control<QRadioButton>(id), &QRadioButton::toggled, &d, [&](bool on) {
            if (on) refresh(true);
        });
    QObject::connect(taps, &QComboBox::currentIndexChanged, &d, [&](int i) {
        work.tap_position[std::max(PlateTypeIndex(type_of()), 0)] = std::max(i, 0);
    });
    QObject::connect(material, &QComboBox::currentIndexChanged, &d, [&](int i) {
        work.plate_material_position[std::max(PlateTypeIndex(type_of()), 0)] = std::max(i, 0);
    });
    refresh(false);
    if (d.exec() != QDialog::Accepted) return false;

    OrificeChoice c;
    c.plate_type = type_of();
    c.calc_std = d.CheckedRadio(Ids(kPlateStandards));
    c.tap_position = std::max(taps->currentIndex(), 0);
    c.material = MaterialOf(material);
    c.ifoa_pipe_material = MaterialOf(pipe_material);
    c.ifoa_mfr = work.ifoa_mfr;
    c.ifoa_size = work.ifoa_size;
    work.plate_type = c.plate_type;
    work.plate_std = c.calc_std;
    work.tap_position[PlateTypeIndex(c.plate_type)] = c.tap_position;
    work.plate_material_position[PlateTypeIndex(c.plate_type)] = material->currentIndex();
    work.ifoa_pipe_material_position = pipe_material->currentIndex();
    memory = work;
    TagRecord copy = record;
    ApplyOrificeChoice(copy, c, kMisc);
    record = copy;
    return true;
}

bool RunNozzleDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory) {
    CIdDialog d(QStringLiteral("Flow Nozzle Data"), parent);
    const RadioList types = {{1150, "ASME &Long Radius"},
                             {1151, "ASME &Throat Tap"},
                             {1152, "&ISA Nozzle"},
                             {1153, "&Venturi Nozzle (ISA Inlet)"}};
    const RadioList standards = {
        {1750, "ASME MFC-3M (1989)"},
        {1751, "ISO 5167 (1991)"},
        {1752, "&Reader-Harris/Gallagher (1998) ,  ISO 5167-3 (2003) and ASME-MFC-3M (2004)"},
        {1778, "ISO 5167-3 (2022)"},
        {1753, "ASME PTC-6 (2004)"},
        {1773, "ASME PTC 19.5 (2004)"}};
    d.AddRadioGroup(QStringLiteral("Nozzle Type"), types);
    auto* material = AddMaterialCombo(d, 1154, QStringLiteral("Nozzle Material"), record.Unit_Temp_Set,
                                      memory.nozzle_material_position);
    auto* diffuser =
        d.AddCheck(1736, QStringLiteral("Include &Outlet Diffuser for Lower Permanent Head Loss"));
    d.AddRadioGroup(QStringLiteral("Discharge Coefficient Standard"), standards);
    int32_t flag = memory.nozzle_diffuser;
    auto apply_type = [&](bool choose_default) {
        const NozzleRule rule = NozzleRuleOf(d.CheckedRadio(Ids(types)));
        for (int id : Ids(standards))
            Enable(d, id,
                   std::find(rule.standards.begin(), rule.standards.end(), id) != rule.standards.end());
        const int32_t checked = d.CheckedRadio(Ids(standards));
        if (choose_default ||
            std::find(rule.standards.begin(), rule.standards.end(), checked) == rule.standards.end())
            Check(d, rule.default_std);
        const QSignalBlocker block(diffuser);
        diffuser->setEnabled(rule.diffuser_enabled);
        diffuser->setChecked(rule.diffuser_enabled && flag != 0);
    };
    Check(d, memory.nozzle_type);
    Check(d, memory.nozzle_std);
    apply_type(false);
    for (int id : Ids(types))
        QObject::connect(d.Control<QRadioButton>(id), &QRadioButton::toggled, &d, [&](bool on) {
            if (on) apply_type(true);
        });
    QObject::connect(diffuser, &QCheckBox::toggled, &d, [&](bool on) { flag = on ? 1 : 0; });
    if (d.exec() != QDialog::Accepted) return false;
    memory.nozzle_type = d.CheckedRadio(Ids(types));
    memory.nozzle_std = d.CheckedRadio(Ids(standards));
    memory.nozzle_material_position = material->currentIndex();
    memory.nozzle_diffuser = flag;
    TagRecord copy = record;
    ApplyNozzleChoice(copy, memory.nozzle_type, MaterialOf(material), diffuser->isChecked() ? 1 : 0,
                      memory.nozzle_std);
    record = copy;
    return true;
}

bool RunVenturiDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory) {
    CIdDialog d(QStringLiteral("Venturi Data"), parent);
    const RadioList types = {{1156, "&Machined Inlet"},
                             {1157, "&Rough-cast Inlet"},
                             {1158, "Rough-&welded sheet-iron inlet"},
                             {1776, "Per ASME PTC 19.5"}};
    const RadioList standards = {{1680, "ASME MFC-3M (1989 Edition)"},
                                 {1681, "ISO 5167-1 (1991 Edition)"},
                                 {1704, "ISO-5167-4 (2022 Edition)"},
                                 {1775, "ASME PTC 19.5 (2004)"}};
    d.AddRadioGroup(QStringLiteral("Venturi Type"), types);
    d.AddRadioGroup(QStringLiteral("Exit Cone"),
                    {{1160, "&15 Degree Exit Cone"}, {1161, "&7 Degree Exit Cone"}});
    auto* material = AddMaterialCombo(d, 1159, QStringLiteral("Throat Material"), record.Unit_Temp_Set,
                                      memory.venturi_material_position);
    d.AddRadioGroup(QStringLiteral("Discharge Coefficient Standard"), standards);
    Check(d, memory.venturi_type);
    Check(d, memory.venturi_std);
    Check(d, record.Meter_VenturiExit == Code(VenturiExit::Deg7) ? Code(VenturiExit::Deg7)
                                                                 : Code(VenturiExit::Deg15));
    auto apply_type = [&] {
        const bool ptc = d.CheckedRadio(Ids(types)) == Code(MeterType::VenturiPtc195);
        for (CalcStd s :
             {CalcStd::VenturiAsmeMfc3M1989, CalcStd::VenturiIso5167_1991, CalcStd::VenturiIso5167_4_2022})
            Enable(d, Code(s), !ptc);
        Enable(d, Code(CalcStd::VenturiPtc195), ptc);
        const int32_t checked = d.CheckedRadio(Ids(standards));
        if (ptc)
            Check(d, Code(CalcStd::VenturiPtc195));
        else if (checked == Code(CalcStd::VenturiPtc195) || checked == 0)
            Check(d, Code(CalcStd::VenturiIso5167_4_2022));
    };
    apply_type();
    for (int id : Ids(types))
        QObject::connect(d.Control<QRadioButton>(id), &QRadioButton::toggled, &d, [&](bool on) {
            if (on) apply_type();
        });
    if (d.exec() != QDialog::Accepted) return false;
    const int32_t type = d.CheckedRadio(Ids(types));
    memory.venturi_type = type == 0 ? Code(MeterType::VenturiPtc195) : type;
    memory.venturi_std = d.CheckedRadio(Ids(standards));
    memory.venturi_material_position = material->currentIndex();
    TagRecord copy = record;
    ApplyVenturiChoice(copy, memory.venturi_type, MaterialOf(material),
                       d.CheckedRadio({Code(VenturiExit::Deg15), Code(VenturiExit::Deg7)}),
                       memory.venturi_std);
    record = copy;
    return true;
}

bool RunSimpleMeterDialog(QWidget* parent, int command, TagRecord& record, MeterDialogMemory& memory) {
    int32_t type = 0;
    int id = 0;
    int32_t* position = nullptr;
    QString caption;
    switch (command) {
        case kUvt:
            type = Code(MeterType::Uvt), id = 1163, position = &memory.uvt_material_position;
            caption = QStringLiteral("UVT\u00AE Universal Venturi Tube");
            break;
        case kLoLoss:
            type = Code(MeterType::LoLoss), id = 1165, position = &memory.loloss_material_position;
            caption = QStringLiteral("Lo Loss\u00AE Flow Tube");
            break;
        case kProprietary1:
        case kProprietary1Alt:
            type = Code(MeterType::ProprietaryMeter1), id = 1684,
            position = &memory.proprietary1_material_position;
            caption = QStringLiteral("Proprietary Meter");
            break;
        case kProprietary2:
            type = Code(MeterType::ProprietaryMeter2), id = 1687,
            position = &memory.proprietary2_material_position;
            caption = QStringLiteral("Proprietary Meter");
            break;
        default:
            return false;
    }
    CIdDialog d(caption, parent);
    auto* material = AddMaterialCombo(d, id, QStringLiteral("Material"), record.Unit_Temp_Set, *position);
    if (d.exec() != QDialog::Accepted) return false;
    *position = material->currentIndex();
    TagRecord copy = record;
    ApplySimpleMeterChoice(copy, type, MaterialOf(material));
    record = copy;
    return true;
}

bool RunCritDropDialog(QWidget* parent, int command, TagRecord& record, MeterDialogMemory& memory,
                       CritDropMemory& crit) {
    const bool gas_orifice = record.Fluid_Equation == Code(FluidEquation::GasVolume) ||
                             record.Fluid_Equation == Code(FluidEquation::GasMass);
    int32_t type = 0;
    int material_id = 0;
    RadioList types;
    QString caption;
    if (command == kCritDropNozzle) {
        types = {{1369, "&ASME Long Radius/ISO Cylindrical Nozzle"},
                 {1370, "&ISO Critical Toroidal Venturi Nozzle"}};
        material_id = 1371, type = memory.critdrop_nozzle_type,
        caption = QStringLiteral("Critical Drop Nozzle");
    } else if (command == kCritDropOrifice && gas_orifice) {
        types = {{1373, "&Square-edged Orifice Plate"}, {1374, "&Thick Orifice Plate"}};
        material_id = 1375, type = memory.critdrop_plate_type,
        caption = QStringLiteral("Critical Drop Orifice");
    } else if (command == kCritDropOrifice) {
        material_id = 1375, type = Code(MeterType::CriticalThickOrifice),
        caption = QStringLiteral("Critical Drop Thick Orifice");
    } else if (command == kCritDropVenturi) {
        material_id = 1767, type = Code(MeterType::CriticalVenturi),
        caption = QStringLiteral("Critical Drop Venturi");
    } else {
        return false;
    }
    CIdDialog d(caption, parent);
    if (!types.empty()) {
        d.AddRadioGroup(QStringLiteral("Type"), types);
        Check(d, type);
    }
    auto* material = AddMaterialCombo(d, material_id, QStringLiteral("Material"), record.Unit_Temp_Set,
                                      memory.critdrop_material_position);
    if (d.exec() != QDialog::Accepted) return false;
    if (!types.empty()) type = d.CheckedRadio(Ids(types));
    if (command == kCritDropNozzle) memory.critdrop_nozzle_type = type;
    if (command == kCritDropOrifice) {
        if (gas_orifice) memory.critdrop_plate_type = type;
        memory.critdrop_material_position = material->currentIndex();
    }
    TagRecord copy = record;
    ApplyCritDropChoice(copy, type, MaterialOf(material));
    record = copy;
    crit.type = type;
    crit.material = MaterialOf(material);
    return true;
}

bool RunWedgeDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory) {
    CIdDialog d(QStringLiteral("Wedge Meter Selection"), parent);
    const RadioList types = {
        {1690, "&ISO-5167-6 (2019) Wedge Meter"},        {1691, "R.W. Miiller Generic Wedge"},
        {1692, "ABB Model 16&10L\u00AE Wedge"},          {1693, "ABB Model 161&5L\u00AE Wedge"},
        {1694, "ABB Model 16&30L\u00AE Wedge"},          {1695, "ABB Model 1335&L\u00AE Integral Wedge"},
        {1696, "ABB Model 133&6L\u00AE Integral Wedge"}, {1697, "ABB Model 133&7L\u00AE Integral Wedge"}};
    d.AddRadioGroup(QStringLiteral("Wedge Type"), types);
    Check(d, memory.wedge_type);
    auto* material = AddMaterialCombo(d, 1698, QStringLiteral("Wedge Material"), record.Unit_Temp_Set,
                                      memory.wedge_material_position);
    auto* pipe_material = AddMaterialCombo(d, 1734, QStringLiteral("Wedge Pipe Material"),
                                           record.Unit_Temp_Set, memory.wedge_pipe_material_position);
    if (d.exec() != QDialog::Accepted) return false;
    memory.wedge_type = d.CheckedRadio(Ids(types));
    memory.wedge_material_position = material->currentIndex();
    memory.wedge_pipe_material_position = pipe_material->currentIndex();
    TagRecord copy = record;
    ApplyWedgeChoice(copy, memory.wedge_type, MaterialOf(material), MaterialOf(pipe_material));
    // The pipe of the wedge is chosen at once. Its schedule text follows the wedge's pipe
    // material; a typed or unchanged inside diameter stays as it is.
    if (!RunPipeDataDialog(parent, copy)) {
        // Cancelled: the diameter stays; the schedule text follows the wedge's pipe material.
        const std::string_view text = kMisc.ScheduleText(copy.Matl_Pipe, copy.Pipe_Sched);
        if (!text.empty()) SetText(copy.Pipe_Sched_Text, text);
    }
    record = copy;
    return true;
}

bool RunCustomMeterDialog(QWidget* parent, TagRecord& record, MeterDialogMemory& memory) {
    CIdDialog d(QStringLiteral("Custom Meter Selection"), parent);
    const RadioList types = {{1360, "&Orifice Plate"},
                             {1361, "Wall Tap Flow &Nozzle"},
                             {1359, "Throat Tap &Flow Nozzle"},
                             {1362, "&Venturi"},
                             {1363, "Flow &Tube"},
                             {1762, "&Wedge Meter"}};
    d.AddRadioGroup(QStringLiteral("Meter Type"), types);
    const auto ids = Ids(types);
    Check(d, std::find(ids.begin(), ids.end(), record.Meter_Type) != ids.end()
                 ? record.Meter_Type
                 : Code(MeterType::CustomOrifice));
    auto* style = d.AddEdit(1364, QStringLiteral("Meter Style"), 34);
    auto* tap = d.AddEdit(1365, QStringLiteral("Tap Style"), 24);
    auto* coefficient = d.AddNumericEdit(1366, QStringLiteral("Discharge Coefficent"), 1e-6, 10.0);
    style->setText(RecordTextToQString(GetText(record.Meter_Style_Text)));
    tap->setText(RecordTextToQString(GetText(record.Tap_Style_Text)));
    coefficient->setText(ToQString(CFormat("%g", {record.C})));
    auto* material = AddMaterialCombo(d, 1367, QStringLiteral("Material"), record.Unit_Temp_Set,
                                      memory.custom_material_position);
    if (d.exec() != QDialog::Accepted) return false;
    memory.custom_material_position = material->currentIndex();
    const double c = NumberInEdit(*coefficient).value_or(record.C);
    TagRecord copy = record;
    ApplyCustomMeterChoice(copy, d.CheckedRadio(ids), MaterialOf(material),
                           QStringToRecordText(style->text()), QStringToRecordText(tap->text()), c);
    record = copy;
    return true;
}

bool IsMeterDialogCommand(int command) {
    switch (command) {
        case kCalcSetup:
        case kOrificePlate:
        case kFlowNozzle:
        case kVenturi:
        case kUvt:
        case kLoLoss:
        case kWedgeMeters:
        case kCritDropNozzle:
        case kCritDropOrifice:
        case kCritDropVenturi:
        case kCustomMeter:
        case kPipeData:
        case kBase:
        case kProprietary1:
        case kProprietary2:
        case kProprietary1Alt:
            return true;
        default:
            return false;
    }
}

void RunMeterDialogCommand(QWidget* parent, int command, CQuorven64Doc& doc, MeterDialogMemory& memory,
                           MessageSink* sink) {
    TagRecord& r = doc.record;
    bool changed = false;
    switch (command) {
        case kCalcSetup:
            changed = RunCalcSetupDialog(parent, r, doc.last_critdrop, doc.tag_saved);
            break;
        case kOrificePlate:
            changed = RunOrificePlateDialog(parent, r, memory);
            break;
        case kFlowNozzle:
            changed = RunNozzleDialog(parent, r, memory);
            break;
        case kVenturi:
            changed = RunVenturiDialog(parent, r, memory);
            break;
        case kUvt:
        case kLoLoss:
        case kProprietary1:
        case kProprietary2:
        case kProprietary1Alt:
            changed = RunSimpleMeterDialog(parent, command, r, memory);
            break;
        case kCritDropNozzle:
        case kCritDropOrifice:
        case kCritDropVenturi:
            changed = RunCritDropDialog(parent, command, r, memory, doc.last_critdrop);
            break;
        case kWedgeMeters:
            changed = RunWedgeDialog(parent, r, memory);
            break;
        case kCustomMeter:
            changed = RunCustomMeterDialog(parent, r, memory);
            break;
        case kPipeData:
            changed = RunPipeDataDialog(parent, r);
            break;
        case kBase: {
            QtMessageSink boxes;
            changed = RunBaseDialog(parent, r, sink != nullptr ? *sink : boxes);
            break;
        }
        default:
            break;
    }
    if (changed) {
        doc.tag_saved = false;
        doc.NotifyRecordChanged();
    }
}

}  // namespace quorven
