#include "modules/clock/hand_schemes.h"

// Light hands for the dark faces, dark ones for the light faces. Each hand has a
// thin rim of the opposite tone, so that it stays readable where it crosses a
// bright sun or a dark numeral.
const HandScheme kHandSchemes[kHandSchemeCount] = {
    {"白 (暗い文字盤向け)", {{246, 243, 234}, {18, 18, 26}, 170, {255, 150, 60}, {246, 243, 234}}},
    {"黒 (明るい文字盤向け)", {{26, 28, 36}, {255, 255, 255}, 120, {26, 28, 36}, {26, 28, 36}}},
    {"黒と赤い秒針", {{26, 28, 36}, {255, 255, 255}, 120, {214, 32, 32}, {26, 28, 36}}},
    {"金", {{236, 196, 110}, {48, 30, 10}, 190, {232, 84, 48}, {236, 196, 110}}},
};
