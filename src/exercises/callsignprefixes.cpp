#include "exercises/callsignprefixes.h"

namespace kelvatron {

// Weighted towards what a Russian operator hears most: home calls first, then the CIS, then the
// busy contest countries of Europe, North America and Asia.
const std::array<PrefixFamily, kPrefixFamilyCount> kPrefixFamilies = {{
    // Russia: R and U alone or with a second letter (RA–RZ, UA–UI), a call-area digit 0–9.
    {CallRegion::Russia, 14, "RA-RZ", 1, 3},
    {CallRegion::Russia, 10, "UA-UI", 1, 3},
    {CallRegion::Russia, 3, "R", 1, 3},
    {CallRegion::Russia, 3, "U", 1, 3},
    // The other CIS countries and their neighbours of the former USSR series.
    {CallRegion::Cis, 8, "UR-UZ EM-EO", 1, 3}, // Ukraine
    {CallRegion::Cis, 4, "EU-EW", 1, 3},       // Belarus
    {CallRegion::Cis, 3, "UN-UQ", 1, 3},       // Kazakhstan
    {CallRegion::Cis, 1, "UJ-UM", 1, 3},       // Uzbekistan
    {CallRegion::Cis, 1, "EX", 1, 3},          // Kyrgyzstan
    {CallRegion::Cis, 1, "EY", 1, 3},          // Tajikistan
    {CallRegion::Cis, 1, "EZ", 1, 3},          // Turkmenistan
    {CallRegion::Cis, 1, "4L", 1, 3},          // Georgia
    {CallRegion::Cis, 1, "EK", 1, 3},          // Armenia
    {CallRegion::Cis, 1, "4J 4K", 1, 3},       // Azerbaijan
    {CallRegion::Cis, 1, "ER", 1, 3},          // Moldova
    {CallRegion::Baltic, 2, "LY", 1, 3},       // Lithuania
    {CallRegion::Baltic, 2, "YL", 1, 3},       // Latvia
    {CallRegion::Baltic, 2, "ES", 1, 3},       // Estonia
    // Europe's common contest prefixes.
    {CallRegion::Europe, 4, "DL DJ DK DO", 2, 3}, // Germany
    {CallRegion::Europe, 2, "G M", 2, 3},         // England
    {CallRegion::Europe, 2, "F", 2, 3},           // France
    {CallRegion::Europe, 2, "I IK IZ", 2, 3},     // Italy
    {CallRegion::Europe, 2, "EA", 2, 3},          // Spain
    {CallRegion::Europe, 2, "SP SQ", 2, 3},       // Poland
    {CallRegion::Europe, 2, "OK OL", 2, 3},       // Czech Republic
    {CallRegion::Europe, 1, "OH", 2, 3},          // Finland
    {CallRegion::Europe, 1, "SM SA", 2, 3},       // Sweden
    {CallRegion::Europe, 1, "HA HG", 2, 3},       // Hungary
    {CallRegion::Europe, 1, "YO", 2, 3},          // Romania
    {CallRegion::Europe, 1, "LZ", 2, 3},          // Bulgaria
    {CallRegion::Europe, 1, "9A", 2, 3},          // Croatia
    {CallRegion::Europe, 1, "S5", 2, 3},          // Slovenia
    {CallRegion::Europe, 1, "ON", 2, 3},          // Belgium
    {CallRegion::Europe, 1, "PA PD", 2, 3},       // Netherlands
    {CallRegion::Europe, 1, "OE", 2, 3},          // Austria
    // North America: the United States' K, W, N and AA–AK series, Canada's VE and VA.
    {CallRegion::NorthAmerica, 6, "K W N", 1, 3},
    {CallRegion::NorthAmerica, 4, "AA-AK KA-KZ WA-WZ NA-NZ", 1, 3},
    {CallRegion::NorthAmerica, 2, "VE VA", 2, 3},
    // Asia.
    {CallRegion::Asia, 3, "JA-JS", 2, 3}, // Japan
    {CallRegion::Asia, 1, "BY BG BD", 2, 3}, // China
    {CallRegion::Asia, 1, "HL DS", 2, 3}, // South Korea
    {CallRegion::Asia, 1, "4X 4Z", 2, 3}, // Israel
    // Elsewhere.
    {CallRegion::Elsewhere, 1, "PY", 2, 3}, // Brazil
    {CallRegion::Elsewhere, 1, "LU", 2, 3}, // Argentina
    {CallRegion::Elsewhere, 1, "VK", 2, 3}, // Australia
    {CallRegion::Elsewhere, 1, "ZL", 2, 3}, // New Zealand
    {CallRegion::Elsewhere, 1, "ZS", 2, 3}, // South Africa
}};

} // namespace kelvatron
