#include "catalogue/CatalogueTables.h"

#include <array>

namespace catalogue {

namespace {

// Caption, emoticon text. Order, blanks, quotes and duplicates are data: keep them exactly.
constexpr std::array<CatalogueEntry, kSmileyCount> kSmileys{{
    {u"Angel - User is an angel. At heart - at least.", u"0 :-)"},                       // 0
    {u"Asleep - Asleep", u"|I"},                                                         // 1
    {u"Bank - Smiley banker.", u":-%"},                                                  // 2
    {u"Baseball - User is a baseball player. ", u"d:-)"},                                // 3
    {u"Batman - User is Batman. ", u"B-)"},                                              // 4
    {u"Beard - User has beard.", u":-}"},                                                // 5
    {u"Beat - Beats me looks like something though.", u":-k"},                           // 6
    {u"Big - Smiley big-face.", u"(:-)"},                                                // 7
    {u"Big - Smiley big-face.", u"):-)"},                                                // 8
    {u"Big - Unsmiling big-face.", u"):-("},                                             // 9
    {u"Bill - It 's Mr. Bill.", u"(8-o"},                                                // 10
    {u"Birth - User is giving birth", u"|-O"},                                           // 11
    {u"Bitter - Smiley after eating something bitter.", u":-*"},                         // 12
    {u"Bizarre - Smiley after a BIZARRE comment.", u":-*"},                              // 13
    {u"Bland - Smiley bland face.", u":-1"},                                             // 14
    {u"Blockhead - Smiley blockhead.", u":-]"},                                          // 15
    {u"Blockhead - Un-Smiley blockhead.", u":-["},                                       // 16
    {u"Bow tie - User wear a bow tie", u":-X"},                                          // 17
    {u"Brace - User wears braces.", u":-#"},                                             // 18
    {u"Brain - User has large brain capacity. ", u"C:-)"},                               // 19
    {u"Brain - User is brain-dead.", u"%-6"},                                            // 20
    {u"Bum - Bummed out smiley.", u":-c"},                                               // 21
    {u"Bum - User is really bummed.", u":-C"},                                           // 22
    {u"Chef - User is a chef.", u"C=:-)"},                                               // 23
    {u"Chinese - User is Chinese.", u"<|-)"},                                            // 24
    {u"Clown - User is Bozo the Clown.", u"*:o)"},                                       // 25
    {u"Cold - User has a cold.", u":-~)"},                                               // 26
    {u"Comedy - Comedy", u":-)"},                                                        // 27
    {u"Cow - User is cow", u"3:-o"},                                                     // 28
    {u"Cross - Cross smiley.", u":-t"},                                                  // 29
    {u"Cry - Boo hoo", u":'-1"},                                                         // 30
    {u"Cry - Crying", u":-@"},                                                           // 31
    {u"Cry - User is crying.", u":'-("},                                                 // 32
    {u"Cry - User is so happy - so he is crying.", u":'-)"},                             // 33
    {u"Death - User is dead", u"8-#"},                                                   // 34
    {u"Devil - User is a little devil. ", u">:)"},                                       // 35
    {u"Devil - User just made a really devilish remark.", u":->"},                       // 36
    {u"Devil - Wink and devil combined. A very lewd remark was just made.", u";->"},     // 37
    {u"Died - User just died.", u"X-("},                                                 // 38
    {u"Disappointed - Disappointed smiley.", u":-e"},                                    // 39
    {u"Ditto - Ditto", u":-}"},                                                          // 40
    {u"Ditto - Ditto...but he's winking.", u",-)"},                                      // 41
    {u"Downer - Real Downer.", u":["},                                                   // 42
    {u"Drama - Drama", u":-("},                                                          // 43
    {u"Drool - User drools.", u":-)~"},                                                  // 44
    {u"Drunk - User drunk with laughter. ", u"%-<I"},                                    // 45
    {u"Drunk - User is drunk.", u":*)"},                                                 // 46
    {u"Drunk - User is very drunk. ", u"%*O"},                                           // 47
    {u"Dumb - User has dumb questions. ", u"<:-)"},                                      // 48
    {u"Dunce - Dunce", u"<:I"},                                                          // 49
    {u"Dunce - User is a dunce.", u"<:-I"},                                              // 50
    {u"Eat -Smiley after eating something sour.", u":-6"},                               // 51
    {u"Egg - User is an egghead.", u"(:I"},                                              // 52
    {u"Elvis - User is Elvis Presley. ", u"5:-)"},                                       // 53
    {u"Eye - One-eyed Smiley.", u".-]"},                                                 // 54
    {u"Eye - User has an black eye. ", u"!-("},                                          // 55
    {u"Eye - User only has one eye.", u".-)"},                                           // 56
    {u"Eye - User shaved one of his eyebrows off this morning.", u"`:-)"},               // 57
    {u"Eye - User shaved one of his eyebrows off; other side.", u",:-)"},                // 58
    {u"Female - User is female.", u">-"},                                                // 59
    {u"Fight - User has lost a fight. ", u"%+o"},                                        // 60
    {u"Flame - Net.Flame", u"~~:-("},                                                    // 61
    {u"Fooball - User is a football player. ", u"=:-H"},                                 // 62
    {u"Frowning - Unsmiling frowning.", u"(:-("},                                        // 63
    {u"Funny - Not funny ", u":/)"},                                                     // 64
    {u"George - User is George Washington. ", u"4:-)"},                                  // 65
    {u"Girl - User is a Big girl.", u":-)-8"},                                           // 66
    {u"Girl - User is a little girl.", u"8:-)"},                                         // 67
    {u"Glasses - Smiley with pince-nez glasses.", u"g-)"},                               // 68
    {u"Glasses - Sunglasses on head.", u"B:-)"},                                         // 69
    {u"Glasses - User is wearing sunglasses.", u"8-)"},                                  // 70
    {u"Glasses - User wears glasses on forehead.", u"8:-)"},                             // 71
    {u"Glasses - User wears glasses. ", u"8-)"},                                         // 72
    {u"Glasses - User wears glasses. ", u"(8-)"},                                        // 73
    {u"Glasses - User wears horn-rimmed glasses.", u"B-)"},                              // 74
    {u"Glasses - User wears normal glasses.", u"::-)"},                                  // 75
    {u"Goggles - Your pet beaver is wearing goggles and a hard hat.", u"8="},            // 76
    {u"Graduate - User is a new graduate. ", u"Q:-)"},                                   // 77
    {u"Hair - Smiley with its hair parted in the middle.", u"{:-)"},                     // 78
    {u"Hand - User is left-handed.", u"(-:"},                                            // 79
    {u"Happy - User is happy.", u":)"},                                                  // 80
    {u"Hat - User is wearing a Santa Claus Hat.", u"*<:-)"},                             // 81
    {u"Hey - Hey hey", u"m:->"},                                                         // 82
    {u"Hmm - Hmm", u":-I"},                                                              // 83
    {u"Hmm - Hmmm...", u":I"},                                                           // 84
    {u"Ho - Ho ho", u"|-D"},                                                             // 85
    {u"Hose - User is a hose head.", u"=:-)"},                                           // 86
    {u"Hug - Hugs", u"[]"},                                                              // 87
    {u"Ill - User is ill.", u"(:-"},                                                     // 88
    {u"Incoherent - User just made an incoherent statement.", u":-S"},                   // 89
    {u"Indifferent - Indifferent smiley. Better than a Frowning smiley.", u":-I"},       // 90
    {u"Infinity - Infinity", u"8"},                                                      // 91
    {u"Invisible - Smiley invisible man.", u":"},                                        // 92
    {u"Joke - User is Chinese and doesn't like these kinds of jokes.", u"<|-("},         // 93
    {u"Kid - User is a little kid with a propeller beanie.", u"K:P"},                    // 94
    {u"Kiss - Kisses", u":*"},                                                           // 95
    {u"Laugh - Ha ha", u":-)"},                                                          // 96
    {u"Laugh - Hee hee", u"|-)"},                                                        // 97
    {u"Laugh - Laughter", u":D"},                                                        // 98
    {u"Laugh - User is laughing at you.", u"%-(I)"},                                     // 99
    {u"Laugh - User is laughing out loud. ", u":-D"},                                    // 100
    {u"Left - Left smiling smiley", u":-j"},                                             // 101
    {u"Left - Lefty smiley razzing you.", u":-d"},                                       // 102
    {u"Left - Lefty smiley touching tongue to nose.", u":-a"},                           // 103
    {u"Lick - User is licking his/her lips.", u":-9"},                                   // 104
    {u"Lips - User's lips are sealed.", u":-X"},                                         // 105
    {u"Lipstick - User has heavy lipstick. ", u":-oO"},                                  // 106
    {u"Lipstick - User wears lipstick.", u":-{}"},                                       // 107
    {u"Mad - Mad ", u":-<"},                                                             // 108
    {u"Male - User is male.", u":-"},                                                    // 109
    {u"Mega - smiley-up drafted bushy mustached pointy nosed smiley. ", u":^#})"},       // 110
    {u"Midget - A friendly midget smileys who will gladly be your friend.", u":]"},      // 111
    {u"Midget - Midget smiley.", u":)"},                                                 // 112
    {u"Midget - Midget smiley.", u":>"},                                                 // 113
    {u"Midget - Midget unsmiling.", u":<"},                                              // 114
    {u"Mouth - Blabber mouth. ", u"(:-D"},                                               // 115
    {u"Mouth - Smiley face with its mouth wired shut", u":-$"},                          // 116
    {u"Mustache - Older smiley with mustache.", u":-=)"},                                // 117
    {u"Mustache - Smiley face with bushy mustache.", u":-#|"},                           // 118
    {u"Mustache - User has a mustache.", u":-{)"},                                       // 119
    {u"Mustache - User has a mustache.", u":-{"},                                        // 120
    {u"Mutant - Mutant smiley.", u":-:"},                                                // 121
    {u"Net - Net.ham -radio", u"E-:-I"},                                                 // 122
    {u"Nose - Left-pointing nose smiley.", u":v)"},                                      // 123
    {u"Nose - Smiley with funny-looking left nose.", u":u)"},                            // 124
    {u"Nose - Smiley with funny-looking right nose.", u":n)"},                           // 125
    {u"Nose - Smiley with pointy nose.", u":^)"},                                        // 126
    {u"Nose - User has a big nose.", u":>)"},                                            // 127
    {u"Nose - User has a broken nose.", u":^)"},                                         // 128
    {u"Nose - User has a broken nose. - But it's the other way.", u":v)"},               // 129
    {u"Nose - User has two noses.", u":=)"},                                             // 130
    {u"Nose - User's nose is sliding off of his face.", u":_)"},                         // 131
    {u"Nyah - Nyahhhh.", u":-P"},                                                        // 132
    {u"Oh - Uh oh !", u":-O"},                                                           // 133
    {u"Oh - Uh oh.", u":-o"},                                                            // 134
    {u"Orator - Smiley orator.", u":-0"},                                                // 135
    {u"Ordinary - \"Have an ordinary day\" smiley.", u":-(0)"},                          // 136
    {u"Pet - Mean pet smiley.", u":["},                                                  // 137
    {u"Pet - Net.pets", u"3:o["},                                                        // 138
    {u"Pet - Pet smiley.", u":]"},                                                       // 139
    {u"Philosopher - User is a philosopher. ", u":?)"},                                  // 140
    {u"Pipe - User smokes a pipe.", u":-?"},                                             // 141
    {u"Pope - User is the Pope or holds some other religious office.", u"+-:-)"},        // 142
    {u"Priest - Smiley priest.", u"+:-)"},                                               // 143
    {u"Radio - User is a Ham radio operator.", u"E-:-)"},                                // 144
    {u"Religion - Net.Religion", u"O |-)"},                                              // 145
    {u"Robot - User is a robot.", u"[:]"},                                               // 146
    {u"Rocker - Smiley punk rocker.", u"-:-("},                                          // 147
    {u"Rocker - User is a punk rocker.", u"=:-("},                                       // 148
    {u"Ronald - User is Ronald Reagan. ", u"7:)"},                                       // 149
    {u"Sad - Frowning smiley. User is upset or depressed about something.", u":-("},     // 150
    {u"Sad - Real sad smiley.", u"::-<"},                                                // 151
    {u"Sad - User is sad", u":("},                                                       // 152
    {u"Sad - User is very sad. ", u"(:-I"},                                              // 153
    {u"Sarcastic - User just made a really biting sarcastic remark.", u":->"},           // 154
    {u"Scream - User is screaming.", u":-@"},                                            // 155
    {u"Scuba - Scuba smiley big-face.", u")8-)"},                                        // 156
    {u"Scuba - Smiley Cyclops (scuba diver?)", u"0-)"},                                  // 157
    {u"Scuba - User is a scuba diver.", u"O-)"},                                         // 158
    {u"Semi - Semi smiley.", u":-i"},                                                    // 159
    {u"Siamese - User is Siamese twins. ", u"(-::-)"},                                   // 160
    {u"Sing - Smiley singing national anthem.", u":-o"},                                 // 161
    {u"Skeptical - User is skeptical.", u":-/"},                                         // 162
    {u"Sleep - User is asleep.", u"|-I"},                                                // 163
    {u"Smile - Your basic smiley. This smiley is used to inflect a sarcastic.", u":-)"}, // 164
    {u"Smoking - User is smoking.", u":-Q"},                                             // 165
    {u"Snore - User is yawning/snoring.", u"|-O"},                                       // 166
    {u"Snoring - Snoring", u"|^o"},                                                      // 167
    {u"Sour - User just ate something sour.", u":-*"},                                   // 168
    {u"Spit - Smiley spitting out its chewing tobacco.", u":-`"},                        // 169
    {u"Stare - Condescending stare.", u":-8("},                                          // 170
    {u"Stare - User has been staring at a green screen for 15 hours straight.", u"%-)"}, // 171
    {u"Startrek - Net.startrek", u">:-I"},                                               // 172
    {u"Step - You stepped on my toe.", u":-( )"},                                        // 173
    {u"Suicide - Net.Suicide", u"X-("},                                                  // 174
    {u"Surprise - User was surprise", u":-o"},                                           // 175
    {u"Suspense - Suspense", u"8-|"},                                                    // 176
    {u"Swim - Smiley swimmer.", u"8-)"},                                                 // 177
    {u"Tongue - Left-pointing tongue smiley.", u":-b"},                                  // 178
    {u"Tongue - sticking tongue out. ", u":-r"},                                         // 179
    {u"Tongue - User sticking its tongue out at you.", u":-p"},                          // 180
    {u"Tongue - User trying to touch its tongue to its nose.", u":-q"},                  // 181
    {u"Toupee - Toupee in an updraft.", u":-}"},                                         // 182
    {u"Toupee - User wears a toupee.", u"{:-)"},                                         // 183
    {u"Turban - User is wearing a turban.", u"@:-)"},                                    // 184
    {u"Turban - User wears turban.", u"@:I"},                                            // 185
    {u"Undecide - Lefty undecided smiley.", u":-/"},                                     // 186
    {u"Undecided smiley.", u":-\\"},                                                     // 187
    {u"Updraft - Above in an updraft.", u"}:-)"},                                        // 188
    {u"Vampire - Bucktoothed vampire with one tooth missing.", u":-F"},                  // 189
    {u"Vampire - Bucktoothed vampire.", u":-E"},                                         // 190
    {u"Vampire - User is a vampire.", u":-["},                                           // 191
    {u"Walkman - User is wearing a walkman.", u"[:-)"},                                  // 192
    {u"War - User is pro-nuclear war.", u"@="},                                          // 193
    {u"What - What should we call these? ", u":}"},                                      // 194
    {u"What - What?", u":{"},                                                            // 195
    {u"Wink - Wink smiley. User just made a flirtatious remark.", u";-)"},               // 196
    {u"Wizard - User is a wizard.", u"8 :-)"},                                           // 197
    {u"Wry - User just made a wry statement.", u":-7"},                                  // 198
    {u"Wry - Wry and winking.", u",-}"},                                                 // 199
    {u"Yelling - No Yelling.  (Quiet Lab)", u":-0"},                                     // 200
    {u"Yelling - Yelling", u":O"},                                                       // 201
    {u"Yelling - Yelling", u":-(0)"},                                                    // 202
    {u"You - You !!", u"/:-)"},                                                          // 203
    {u"Yuk - Yuk !!", u"|-P"},                                                           // 204
}};

} // namespace

std::span<const CatalogueEntry> smileyTable()
{
    return kSmileys;
}

} // namespace catalogue
