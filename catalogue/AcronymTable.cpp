#include "catalogue/CatalogueTables.h"

#include <array>

namespace catalogue {

namespace {

// Caption, acronym text. The order is the list's (not quite alphabetical), and two texts
// differ from their caption on purpose: "6k" at 1 and "IMO " (trailing blank) at 52.
constexpr std::array<CatalogueEntry, kAcronymCount> kAcronyms{{
    {u"4me  -  for me", u"4me"},                          // 0
    {u"6K - sick", u"6k"},                                // 1
    {u"A3 - anytime, anywhere, anyplace ", u"A3"},        // 2
    {u"AAMOF  - as a matter of fact", u"AAMOF"},          // 3
    {u"AFAIK - as far as I know", u"AFAIK"},              // 4
    {u"AFK - away from keyboard", u"AFK"},                // 5
    {u"AFKB - away from keyboard", u"AFKB"},              // 6
    {u"AIUI - as I understand it", u"AIUI"},              // 7
    {u"AKA - also known as", u"AKA"},                     // 8
    {u"ASAP - as soon as possible", u"ASAP"},             // 9
    {u"ASL - age, sex, location", u"ASL"},                // 10
    {u"ATM - at the moment ", u"ATM"},                    // 11
    {u"B4 - before", u"B4"},                              // 12
    {u"BAKB - back at keyboard", u"BAKB"},                // 13
    {u"BBFN - bye-bye for now", u"BBFN"},                 // 14
    {u"BBL - be back later", u"BBL"},                     // 15
    {u"BBS - be back soon", u"BBS"},                      // 16
    {u"BFN - bye for now", u"BFN"},                       // 17
    {u"B4N - bye for now", u"B4N"},                       // 18
    {u"BG - big grin", u"BG"},                            // 19
    {u"BION - believe it or not", u"BION"},               // 20
    {u"BRB - be right back", u"BRB"},                     // 21
    {u"BRT - be right there", u"BRT"},                    // 22
    {u"BTW - by the way", u"BTW"},                        // 23
    {u"CMIIW - correct me if I'm wrong", u"CMIIW"},       // 24
    {u"CU - see you", u"CU"},                             // 25
    {u"CUL8R - see you later", u"CUL8R"},                 // 26
    {u"CYA - see you", u"CYA"},                           // 27
    {u"EOF - end of file", u"EOF"},                       // 28
    {u"F2F - face to face", u"F2F"},                      // 29
    {u"FAQ - frequently asked questions", u"FAQ"},        // 30
    {u"FC - fingers crossed", u"FC"},                     // 31
    {u"FOAF - friend of a friend", u"FOAF"},              // 32
    {u"FWIW - for what it's worth", u"FWIW"},             // 33
    {u"FYI - for your information", u"FYI"},              // 34
    {u"G - grin", u"G"},                                  // 35
    {u"G9 - genius", u"G9"},                              // 36
    {u"GA - go ahead", u"GA"},                            // 37
    {u"GAL - get a life", u"GAL"},                        // 38
    {u"GG - good game", u"GG"},                           // 39
    {u"GMTA - great minds think alike", u"GMTA"},         // 40
    {u"GR8 - great", u"GR8"},                             // 41
    {u"HTH - happy to help; hope this helps", u"HTH"},    // 42
    {u"I41 - I for one", u"I41"},                         // 43
    {u"IAC - in any case", u"IAC"},                       // 44
    {u"IC - I see", u"IC"},                               // 45
    {u"ICQ - I seek you", u"ICQ"},                        // 46
    {u"IDK - I don't know", u"IDK"},                      // 47
    {u"IKWUM - I know what you mean", u"IKWUM"},          // 48
    {u"ILU - I love you", u"ILU"},                        // 49
    {u"IME - in my experience", u"IME"},                  // 50
    {u"IMHO - in my humble opinion", u"IMHO"},            // 51
    {u"IMO - in my opinion", u"IMO "},                    // 52
    {u"IOW - in other words", u"IOW"},                    // 53
    {u"IRC - Internet relay chat", u"IRC"},               // 54
    {u"IRL - in real life", u"IRL"},                      // 55
    {u"ISTM - it seems to me", u"ISTM"},                  // 56
    {u"JAM - just a minute", u"JAM"},                     // 57
    {u"KISS - keep it simple, stupid", u"KISS"},          // 58
    {u"KWIM - know what I mean?", u"KWIM"},               // 59
    {u"L8R - later", u"L8R"},                             // 60
    {u"LDR - long distance relationship ", u"LDR"},       // 61
    {u"LMAO - laugh my arse off ", u"LMAO"},              // 62
    {u"LOL - laughing out loud", u"LOL"},                 // 63
    {u"LTNS - long time no see", u"LTNS"},                // 64
    {u"M8 - mate", u"M8"},                                // 65
    {u"MOMPL - moment please", u"MOMPL"},                 // 66
    {u"MORF - Male or female", u"MORF"},                  // 67
    {u"MOTOS - member of the opposite sex", u"MOTOS"},    // 68
    {u"MTE - my thoughts exactly ", u"MTE"},              // 69
    {u"MYOB - mind your own business", u"MYOB"},          // 70
    {u"NBIF - no basis in fact", u"NBIF"},                // 71
    {u"NRN - no reply necessary", u"NRN"},                // 72
    {u"OBTW - oh, by the way", u"OBTW"},                  // 73
    {u"OHDH - old habit die hard", u"OHDH"},              // 74
    {u"OIC - oh, I see", u"OIC"},                         // 75
    {u"OMG - oh my god !", u"OMG"},                       // 76
    {u"OTOH - on the other hand", u"OTOH"},               // 77
    {u"PD - public domain", u"PD"},                       // 78
    {u"PITA - pain in the arse", u"PITA"},                // 79
    {u"POV - point of view", u"POV"},                     // 80
    {u"PPL - people", u"PPL"},                            // 81
    {u"PRT - partly", u"PRT"},                            // 82
    {u"PRW - parents are watching ", u"PRW"},             // 83
    {u"PTMM - please tell me more", u"PTMM"},             // 84
    {u"RFD - request for discussion", u"RFD"},            // 85
    {u"RL - real life", u"RL"},                           // 86
    {u"ROTFL - rolling on the floor laughing", u"ROTFL"}, // 87
    {u"RSN - real soon now", u"RSN"},                     // 88
    {u"RTFAQ - read the FAQ !", u"RTFAQ"},                // 89
    {u"RTFM - read the flippin' manual", u"RTFM"},        // 90
    {u"RUOK - are you ok", u"RUOK"},                      // 91
    {u"SIG - special interest group", u"SIG"},            // 92
    {u"SITD - still in dark", u"SITD"},                   // 93
    {u"SK8 - skate", u"SK8"},                             // 94
    {u"SNR - signal to noise ratio", u"SNR"},             // 95
    {u"SOHO - small office home office", u"SOHO"},        // 96
    {u"STATS - your sex and age", u"STATS"},              // 97
    {u"TCB - trouble come back", u"TCB"},                 // 98
    {u"THX - thanks", u"THX"},                            // 99
    {u"TIA - thanks in advance", u"TIA"},                 // 100
    {u"TNKS - thanks", u"TNKS"},                          // 101
    {u"TTFN - ta ta for now", u"TTFN"},                   // 102
    {u"TTYL - talk to you later", u"TTYL"},               // 103
    {u"TVM - thanks very much", u"TVM"},                  // 104
    {u"U - you", u"U"},                                   // 105
    {u"U2 - you too", u"U2"},                             // 106
    {u"U4E - yours for ever", u"U4E"},                    // 107
    {u"UR - you are, your", u"UR"},                       // 108
    {u"W8 - wait", u"W8"},                                // 109
    {u"WB - welcome back", u"WB"},                        // 110
    {u"WTF - what the f**k", u"WTF"},                     // 111
    {u"WTG - way to go", u"WTG"},                         // 112
    {u"WUF - where are you from", u"WUF"},                // 113
}};

} // namespace

std::span<const CatalogueEntry> acronymTable()
{
    return kAcronyms;
}

} // namespace catalogue
