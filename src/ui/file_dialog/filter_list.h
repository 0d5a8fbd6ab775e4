#pragma once

#include <string>
#include <string_view>

#include "base/double_byte.h"

namespace corvani {

// Turns a filter of description and pattern pairs separated by "|" into the dialog's list:
// each string ended by a zero byte, the list by a second one. A "|" that is the trail byte of
// a double-byte character stays as it is. An empty (or all white space) filter gives an empty
// result, which means no list.
std::string BuildFilterList(std::string_view filter, LeadBytePredicate is_lead);

// The 1-based index of the pair selected when the dialog opens; 0 when there is no list.
unsigned long SelectedFilterIndex(bool has_list, int initial_filter);

}  // namespace corvani
