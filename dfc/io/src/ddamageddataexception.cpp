#include "ddamageddataexception.h"

namespace dfc::io {

using lang::DStringPtr;

DStringPtr DDamagedDataException::missingReason(const DStringPtr& archive, const DStringPtr& entries) {
    const DStringPtr lacking = archive ? u"the data archive " + archive + u" has no readable entry " + entries
                                       : u"no data archive is open to hold " + entries;
    return lacking + u" and there is no such file beside the program";
}

}  // namespace dfc::io
