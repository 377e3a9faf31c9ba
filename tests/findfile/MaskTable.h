#pragma once
// Masks against file names, and whether MatchFileName lets the name fit.

struct MaskCase {
  const char* mask;
  const char* fileName;
  bool fits;
};

inline constexpr MaskCase kMaskTable[] = {
    {"*.url", "A.URL", true},    {"*.url", "Shop.Url", true},    {"*.url", "x.url.bak", false},
    {"*.url", "x.urls", false},  {"*.url", "x.ur", false},       {"*.url", "readme", false},
    {"*.url", ".url", false},    {".url", "A.URL", false},       {"*", "a.txt", true},
    {"*", "README", true},       {"*", ".profile", false},       {"*.*", "README", true},
    {"*.*", "a.b.c", true},      {"*.", "README", true},         {"*.", "A.TXT", false},
    {"abc", "ABC", true},        {"abc*", "ABC.D", false},       {"a.*", "A.B.TXT", false},
    {"a.b.*", "A.B.TXT", true},  {"a*b.txt", "AXYZB.TXT", true}, {"a*b.txt", "AB.TXT", true},
    {"a*b.txt", "A.TXT", true},  {"a*b.txt", "XAB.TXT", false},  {"*ab.txt", "CAB.TXT", true},
    {"*ab.txt", "B.TXT", false}, {"*a*b.txt", "XB.TXT", true},   {"*.t?t", "A.TXT", true},
    {"*.t?t", "A.TT", false},    {"?.txt", "AB.TXT", false},     {"??.txt", "A.TXT", false},
    {"*.*x", "A.TX", true},      {"*.*x", "README", false},
};
