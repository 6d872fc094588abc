#pragma once
// The text of a failed software update: "[status] " followed by the
// heading, a blank and the reason: connectionLostText when it is given (the
// image got no answer: the library's code then says nothing of the sensor),
// else the library's own text for a status above 0, the program's text for
// 0 and below.
#include <string>

std::u16string UpdateFailureText(int status, std::u16string_view heading, std::u16string_view notLibraryText,
                                 std::u16string_view connectionLostText = {});

// libbrimsol's English text of a status.
std::string UpdateStatusText(int status);
