#ifndef QEL_PLUGIN_PAGECOMMAND_H_
#define QEL_PLUGIN_PAGECOMMAND_H_

#include <cstdint>
#include <string>

namespace pp {
class VarArray;
}  // namespace pp

// Readers of the elements of a page command [request id, unused, name,
// arguments...]. An element beyond the end of the array reads as missing.

// Element 0: an integer as it is, a fractional number truncated toward zero
// (saturating at the 32-bit range), anything else 0.
int readRequestId(const pp::VarArray& args);
// An integer argument, read like the request id.
int readInt(const pp::VarArray& args, uint32_t index);
// A text argument: the element's text when it is a string, else "".
std::string readText(const pp::VarArray& args, uint32_t index);
// A flag argument: true only for the boolean true.
bool readFlag(const pp::VarArray& args, uint32_t index);

#endif  // QEL_PLUGIN_PAGECOMMAND_H_
