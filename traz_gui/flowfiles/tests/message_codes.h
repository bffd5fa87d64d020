// The message codes that the flow-model file routines and the definition
// and wave readers write to a diagnostic file: one table, against which the
// shipped message file and the sources are checked.
#ifndef TRAZ_MESSAGE_CODES_H
#define TRAZ_MESSAGE_CODES_H

#include <string>
#include <vector>

namespace msgcodes {

inline const std::vector<std::string> &RaisedCodes()
{
    static const std::vector<std::string> kCodes = {
        "F001", "G004", "G006", "G007", "U036", "U039", "U041", "U042", "U044", "U047", "U051", "U057",
        "U060", "U062", "U065", "U066", "U100", "U101", "U112", "U113", "U120", "U121", "U122", "U124",
        "U125", "U126", "U127", "U130", "U131", "U132", "U145", "U150", "U151", "U152", "U153", "U154",
        "U155", "U156", "U157", "U158", "U159", "U160", "U170", "U171", "U172", "V001", "V003", "V004",
        "V005", "V006", "V007", "V012", "V013", "V014", "V015", "V028", "V034", "V041", "V046", "V047",
        "V048", "V061", "V081", "V201", "V202", "V211", "V212", "V213", "V214", "V215", "V220", "V221"};
    return kCodes;
}

}  // namespace msgcodes

#endif
