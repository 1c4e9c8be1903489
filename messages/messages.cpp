#include "messages/messages.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "record/cformat.h"

namespace quorven {
namespace {

struct ErrorEntry {
    int number;
    const char* text;
};

// Which of value, limit1, limit2 a warning's format takes, in order.
enum class Args { None, Limit1, Limit1Limit2, Limit1Limit2Value };

struct WarningEntry {
    int number;
    Args args;
    const char* text;
};

constexpr ErrorEntry kErrors[] = {
    {1,
     "The data entered will not iterate to a valid solution.\n"
     "Check your data carefully!"},
    {2,
     "The pipe size must be 1/2\" <= D <= 1-1/2\" for small bore honed orifice meter runs.\n"
     "Change pipe size or consult with your manufacturer!"},
    {3,
     "Critical input data necessary for the calculation is missing!\n"
     "Please complete all data before attempting to calculate the sizing parameter."},
    {4,
     "No pipe I.D. exists for selected pipe size and schedule.\n"
     "Enter the pipe I.D. manually and/or reset the pipe schedule."},
    {5,
     "Maximum flow is less than the normal flow.\n"
     "Please correct prior to calculating!"},
    {6,
     "Value for vapor quality must be:     \n"
     "      90.0 <= Quality <= 100.0\n"
     "Please reenter value for quality!"},
    {7,
     "Value for vapor quality must be:     \n"
     "      0.0 >= Quality >= 10.0\n"
     "Please reenter value for quality!"},
    {8,
     "Value for base pressure in absolute units must be greater than zero.\n"
     "Please re-enter a valid base pressure!"},
    {9,
     "Value for base temperature in absolute units must be greater than zero.\n"
     "Please re-enter a valid base temperature!"},
    {10,
     "Error opening mixture file.\n"
     "Please correct or recreate mixture file."},
    {11,
     "Orifice bore diameter is greater than the pipe inside diameter.\n"
     "Please enter an orifice bore that is smaller than the Pipe I.D.!"},
    {12,
     "Component in mixture file is missing in the \"PROPERTY.DAF\" file.\n"
     "Please correct or recreate mixture file."},
    {13,
     "Liquid vapor pressure is greater than or equal to the upstream static pressure.\n"
     "Cannot calculate the choked pressure drop!"},
    {14,
     "Selected meter size is not a standard size for ABB 1615L wedge meter model.\n"
     "Standard sizes are 0.5 inch (15 mm), 1 inch (25 mm), 1.5 inch (40 mm), and 2 inch (50 mm) only."},
    {15,
     "Selected meter size is not a standard size for ABB 1610L and 1630L wedge meter models.\n"
     "Standard sizes are 0.5 inch (15 mm) through 24 inch (600 mm) only.\n"
     "Excludes following sizes: 0.75 inch (20 mm), 1.25 inch (30 mm), 3.5 inch (90 mm), and 5 inch (125 "
     "mm)."},
    {16,
     "Selected meter size is not a standard size for 1335L through 1337L ABB integral wedge meter model.\n"
     "Standard sizes are 1/2 inch (13 mm) through 1-1/2 inch (40 mm) only."},
    {17,
     "Invalid or corrupted data file.\n"
     "Cannot retrieve information.\n"
     "Recommend deleting file!"},
    {18,
     "Given pressure and temperature condition indicate that the fluid is in the liquid state!\n"
     "Aborting..."},
    {19,
     "Given pressure and temperature condition indicate that the fluid is in the vapor state!\n"
     "Aborting..."},
    {20,
     "The data entered for flow, dP, or line size does not allow iteration to a valid solution.\n"
     "Decrease flow or increase line size or dP!"},
    {21,
     "Physical properties for one or more of the selected fluid(s) are for vapor state only.\n"
     "Reselect valid fluid for calculating liquid properties."},
    {22,
     "Solution is indeterminate for maximum case.\n"
     "Sonic conditions exist for the maximum flow and differential pressure.\n"
     "You must change inlet pressure and/or differential pressure to size."},
    {23, "The total mole percent must equal 100 percent before saving the mix properties!"},
    {24,
     "The properties database file \"PROPERTY.DAF\" is not present.\n"
     "Cannot access the fluid properties database!"},
    {25,
     "This fluid component has been selected already.\n"
     "To change, revise the mole percent!"},
    {26, "The total mole percent must equal 100 percent before calculating the mix properties!"},
    {27,
     "The property data in the \"PROPERTY.DAF\" database is not complete for the selected fluid.\n"
     "Aborting ..."},
    {28,
     "The property data in the \"PROPERTY.DAF\" database is incomplete.\n"
     "Cannot determine fluid viscosity."},
    {29,
     "The property data in the \"PROPERTY.DAF\" database is incomplete.\n"
     "Cannot determine specific heat ratio."},
    {30,
     "The Antoine's coefficient data in the \"PROPERTY.DAF\" database is incomplete.\n"
     "Cannot determine fluid vapor pressure."},
    {31,
     "Critical drop orifice bore approaching or larger than pipe bore!\n"
     "Voiding Calculation.\n"
     "Increase line size or decrease flow to resolve."},
    {32, "No project file is open. A project file must be open before performing this function."},
    {33,
     "You have not entered the discharge coefficient for this orifice calculation.\n"
     "Enter discharge coefficient in the Meter&PIpe/Meter Data/Custom Meter dialog screen."},
    {34,
     "An error occurred while reindexing the project file.\n"
     "Cannot reconstruct the database index file!"},
    {35, "Database index file is missing! Rebuild with File/Utilities/Rebuild Index menu selection."},
    {36,
     "Error opening project batch calculation data check file.\n"
     "Cannot print errors to project data check file!"},
    {37,
     "The given max meter differential exceeds the allowable pressure drop, i.e., downstream pressure is "
     "less than an absolute vacuum.\n"
     "This is not physically possible!"},
    {38,
     "Sonic flow conditions exist for the given conditions.\n"
     "Use critical drop equations to determine orifice sizing parameter!"},
    {40,
     "Error encountered while attempting to open or create project database file.\n"
     "Database may have \"Read-Only\" mode set and will not allow write access."},
    {41, "Database missing index file. Project database is corrupted."},
    {42, "Unable to locate project database. Check harddisk for proper location."},
    {43,
     "Error encountered while attempting to save/read calculation to/from project database.\n"
     "Database may have \"Read-Only\" mode set and will not allow write access."},
    {44,
     "Error encountered while attempting to read/save project database index file.\n"
     "No project database open."},
    {45,
     "Error encountered creating the batch calculation check file.\n"
     "Prior check file may exist with read only attribute set.\n"
     "Aborting batch calculation..."},
    {46,
     "Error encountered creating the ASCII export file.\n"
     "Check if prior file exists with read only attribute set.\n"
     "  \n"
     "Aborting operation..."},
    {47,
     "Error occurred while opening or creating project.\n"
     "Check if prior file exists with read only attribute set.\n"
     "\n"
     "Aborting operation..."},
    {48,
     "Error occurred while attempting to create tag file.\n"
     "Check if prior file exists with read only attribute set.\n"
     "\n"
     "Aborting operation..."},
    {49,
     "Error occurred while attempting to read tag file.\n"
     "File may be corrupt.\n"
     "\n"
     "Aborting operation..."},
    {50,
     "Saturated Liquid Factor, Fx, is less than 0.\n"
     "Increase decrease quality or increase Vapor density and try again."},
    // 51 and 52: flowing conditions of the Fluids commands, refused at entry like the base
    // conditions of #8 and #9 (an absolute pressure or temperature of zero or below would
    // reach the property routines' logarithms and divisions).
    {51,
     "Value for flowing pressure in absolute units must be greater than zero.\n"
     "Please re-enter a valid flowing pressure!"},
    {52,
     "Value for flowing temperature in absolute units must be greater than zero.\n"
     "Please re-enter a valid flowing temperature!"},
    {101,
     "Error accessing the database index file.\n"
     "Packing aborted!\n"
     "Try re-indexing the project database."},
    {102,
     "Error creating a temporary pack file.\n"
     "Packing aborted!"},
    {103,
     "Error accessing the project database file.\n"
     "Packing aborted!"},
    {104,
     "Error occurred while packing the project database file.\n"
     "Packing aborted!"},
    {105,
     "The file selected is not a valid import file.\n"
     "File Import aborted!"},
    {201,
     "Insufficient memory for operation.\n"
     "Close any other open applications and try again!"},
    {1001,
     "File Open Error!\n"
     "Cannot read \"QUORVEN.CFG\"!"},
    {1002,
     "File Open Error!\n"
     "Cannot write \"QUORVEN.CFG\"               "},
    {1003,
     "Configuration file \"QUORVEN.CFG\" corrupted and cannot remove.\n"
     "Please insure Dos file attribute is set to READ/WRITE!"},
    {1004,
     "The text holds characters that tag and project files cannot store.\n"
     "Their texts are kept in the Windows-1252 (Western European) character set.\n"
     "Nothing was stored."},
};

// "ß" stands for beta, as on the program's message boxes.
constexpr WarningEntry kWarnings[] = {
    {1, Args::None,
     "The standard ratio limit of dP (inWC)/Pf (psia) <= 1.0 has been exceeded.\n"
     "Cannot guarantee accuracy of computed flow coefficient!\n"
     "Consult with your manufacturer!"},
    {2, Args::Limit1,
     "The minimum allowble pipe I.D. for the selected orifice style is %5.3f in.\n"
     "Cannot guarantee accuracy of flow coefficient!\n"
     "Consult with your manufacturer!"},
    {3, Args::Limit1,
     "Recommended maximum pipe I.D. is %.2f in. for meter type.\n"
     "Consult with your manufacturer!"},
    {4, Args::Limit1Limit2Value,
     "Recommended beta range is:\n"
     "%.3f <= ß <= %.3f\n"
     "Calculated ß is %.5f\n"
     "Flow coefficient accuracy shall diminish!\n"
     "Consult with your manufacturer!"},
    {5, Args::None,
     "Cannot save calculation without tag number!\n"
     "Assign tag number prior to selecting the save command."},
    {6, Args::Limit1Limit2,
     "Minimum pipe Reynolds number for meter is %.0f.\n"
     "Calculated Reynolds number is %.0f.\n"
     "Cannot guarantee accuracy of flow coefficient!\n"
     "Consult with your manufacturer!"},
    {7, Args::Limit1Limit2,
     "Maximum pipe Reynolds number for meter is %.0f.\n"
     "Calculated Reynolds number is %.0f.\n"
     "Cannot guarantee accuracy of flow coefficient!\n"
     "Consult with your manufacturer!"},
    {8, Args::Limit1Limit2,
     "Minimum pipe Reynolds number for meter is %.0f.\n"
     "Calculated Reynolds number is %.0f.\n"
     "Suggest using quadrant or conic entrance orifice!\n"
     "Consult with your manufacturer!"},
    {9, Args::Limit1Limit2,
     "Minimum bore Reynolds number for meter is %.0f.\n"
     "Calculated bore Reynolds number is %.0f.\n"
     "Consult with your manufacturer!"},
    {10, Args::Limit1Limit2,
     "Maximum bore Reynolds number for meter is %.0f.\n"
     "Calculated bore Reynolds number is %.0f.\n"
     "Consult with your manufacturer!"},
    {11, Args::None,
     "Cp/Cv ratio (k) must be greater than 1.0 in order to size orifice.\n"
     "Please check your data!"},
    {12, Args::Limit1Limit2,
     "Maximum beta for this meter is:  ß = %.2f\n"
     "Calculated beta is:  ß = %.5f\n"
     "Maximum limits have been exceeded.\n"
     "User should proceed with caution!\n"
     "Consult with your manufacturer!"},
    {13, Args::None,
     "Calculated drain/vent hole factor is greater than the maximum Fdh of 1.02!\n"
     "Select a lower drain/vent diameter or consult with your manufacturer!"},
    {14, Args::None,
     "You cannot set the reference temperature for the dP cell with the current dP units system."},
    {15, Args::None,
     "The dP reference temperature for the selected\n"
     "discharge coefficient standard should be 60°F."},
    {16, Args::None,
     "The dP reference temperature for the selected\n"
     "discharge coefficient standard should be 68°F."},
    {17, Args::None,
     "Outside temperature limits for thermal expansion correlation for element material.\n"
     "Expansion factor for element material is defaulted to 1.000000."},
    {18, Args::None,
     "Outside temperature limits for thermal expansion correlation for pipe material.\n"
     "Expansion factor for pipe material is defaulted to 1.000000."},
    {19, Args::None,
     "Calculated bore is less than 1.0 inch.\n"
     "You should not use a vent or drain hole for this application.\n"
     "Consult with your manufacturer!"},
    {20, Args::None,
     "H/D ratio must be < 1.0.\n"
     "Re-enter a valid H/D ratio."},
    {21, Args::None,
     "The given tag number is existing in the project file.\n"
     "Replace the existing data with new data?"},
    {22, Args::Limit1Limit2,
     "Minimum Rd for this meter is %.0f.\n"
     "Calculated Rd is %.0f.\n"
     "Try using quadrant entrance orifice!\n"
     "Consult with your manufacturer!"},
    {23, Args::None,
     "The given data set for this calculation appears not to fit the Quadrant orifice calculation for this "
     "vendor.\n"
     "The selected meter orifice style appears to work for extremely low flows only.\n"
     "Try the 1/2 in. square-edged integral orifice design."},
    {24, Args::None,
     "Maximum pipe size of 36 in. (900 mm) has been exceeded.\n"
     "Cannot determine plate thickness."},
    {25, Args::None,
     "Valid temperature range for H-B-T liquid density correlation must be extrapolated.\n"
     "Cannot guarantee accuracy of the calculated density due to extrapolation!"},
    {26, Args::None,
     "Pipe diameter must be 1.5 in (40 mm) or greater to use flange taps with this style orifice meter.\n"
     "Use corner taps instead."},
    {27, Args::None,
     "Downstream pressure is less than absolute 0 vacuum. Adjust dP or upstream pressure and recalculate."},
    {28, Args::None,
     "Selected fluid component is in the liquid state at base conditions!\n"
     "Can only determine the gas/vapor properties at the flowing condition."},
    {29, Args::None,
     "Selected fluid is in the vapor state at base conditions!\n"
     "Can only determine the liquid properties at the flowing condition."},
    {30, Args::None,
     "Current liquid sizing indicate application is cavitating at MAXIMUM conditions and the flow is "
     "choked.\n"
     "Decrease sizing dP or increase P1 and try again."},
    {31, Args::None,
     "Current liquid sizing indicate application is flashing at MAXIMUM conditions and the flow is choked.\n"
     "Decrease sizing dP or increase P1 and try again."},
    {32, Args::None,
     "Current liquid sizing indicate application is cavitating at NORMAL conditions and the flow is choked.\n"
     "Decrease sizing dP or increase P1 and try again."},
    {33, Args::None,
     "Current liquid sizing indicate application is flashing at NORMAL conditions and the flow is choked.\n"
     "Decrease sizing dP or increase P1 and try again."},
    {34, Args::None,
     "Bore diameter is less than 0.492 in or 12.5 mm.\n"
     "Increase flow or decrease dP."},
    {35, Args::None, "Calculated orifice bore is < 1.9685 in, the recommended minimum bore diameter."},
    // 36: a Fluids command that changes the flow kind keeps the flows as they are when the
    // density or gravity the conversion needs is zero, instead of zeroing them.
    {36, Args::None,
     "A density or specific gravity needed to convert the flows is zero.\n"
     "The maximum and normal flows were not converted: please check them!"},
    {100, Args::None,
     "This function is reserved for project database tag deletions.\n"
     "Please contact your Administrator for project setup."},
    {101, Args::None,
     "This function is reserved for Administrators and Users only.\n"
     "Please contact your Administrator for access rights setup."},
};

template <typename Table>
auto Find(const Table& table, int number) -> decltype(&table[0]) {
    const auto it =
        std::find_if(std::begin(table), std::end(table), [&](const auto& e) { return e.number == number; });
    return it == std::end(table) ? nullptr : &*it;
}

}  // namespace

std::vector<int> RecordingMessageSink::Numbers() const {
    std::vector<int> out;
    for (const Message& m : messages) out.push_back(m.kind == MessageKind::Error ? m.number : -m.number);
    return out;
}

Message ErrorMessage(int number) {
    Message m;
    const ErrorEntry* e = Find(kErrors, number);
    if (!e) return m;
    m.kind = MessageKind::Error;
    m.number = number;
    // The memory error is captioned with the number of its older twin.
    m.caption = "Error #" + std::to_string(number == 201 ? 200 : number);
    m.text = e->text;
    return m;
}

Message WarningMessage(int number, double value, double limit1, double limit2) {
    Message m;
    const WarningEntry* w = Find(kWarnings, number);
    if (!w) return m;
    m.kind = MessageKind::Warning;
    m.number = number;
    m.caption = "Warning #" + std::to_string(number);
    switch (w->args) {
        case Args::None:
            m.text = w->text;
            break;
        case Args::Limit1:
            m.text = CFormat(w->text, {limit1});
            break;
        case Args::Limit1Limit2:
            m.text = CFormat(w->text, {limit1, limit2});
            break;
        case Args::Limit1Limit2Value:
            m.text = CFormat(w->text, {limit1, limit2, value});
            break;
    }
    if (number == 21) {
        m.buttons = MessageButtons::YesNo;
        m.default_answer = MessageAnswer::No;
        m.icon = MessageIcon::Exclamation;
    }
    if (number == 100 || number == 101) {
        m.caption = "User Rights Setting";
        m.system_modal = false;
    }
    return m;
}

int CError::Show(int number) {
    const Message m = ErrorMessage(number);
    if (m.number == 0) return 0;
    return static_cast<int>(sink_.Show(m));
}

int CWarning::Show(int number, double value, double limit1, double limit2) {
    const Message m = WarningMessage(number, value, limit1, limit2);
    if (m.number == 0) return 0;
    const MessageAnswer answer = sink_.Show(m);
    return number == 21 && answer == MessageAnswer::Yes ? 1 : 0;
}

}  // namespace quorven
