// Resource ids of Yorewind. Included by the resource scripts and the code.
#pragma once

// Icons
#define IDI_YOREWIND 107
#define IDI_SMALL 108

// Menus and commands
#define IDC_YOREWIND 109 // menu and accelerator table
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_OPTIONS 32779
#define IDM_MORE 32781
#define IDM_DONATE 32783
#define IDM_STATISTICS 32785
#define IDM_SOUND 32787
#define IDM_STATUSBAR 32789
#define IDM_FULLSCREEN 32801
#define IDM_PEOPLE 32803
// Not on the menu: the people's index ended with too few for the board, which is chosen again.
#define IDM_CHOOSE_BOARD 32805

// Dialogs and controls
#define IDD_ABOUTBOX 103
#define IDD_STATISTICS 130
// The pages of the Options sheet, in the order of their tabs.
#define IDD_OPTIONS_PICTURES 129
#define IDD_OPTIONS_BOARD 131
#define IDD_OPTIONS_PLAYERS 132
#define IDD_OPTIONS_CALM 133
#define IDD_PEOPLE 134 // the people the index recognised
#define IDC_BROWSE 1000
#define IDC_PICTUREPATH 1001
// The level radios are consecutive: the radio of level L is IDC_LEVEL_BASE + L.
#define IDC_LEVEL_BASE 1004
#define IDC_LEVEL_EASY 1005
#define IDC_LEVEL_NORMAL 1006
#define IDC_LEVEL_HARD 1007
#define IDC_LEVEL_VERYHARD 1008
#define IDC_SUBFOLDERS 1010
#define IDC_PLAYER_COUNT 1011 // drop-down list of 1 to 4
#define IDC_FIT 1012          // check box: keep the pictures' shape
#define IDC_STRENGTH 1013     // drop-down list of the computer's strengths, easy first
// Name boxes and their labels are consecutive: player P (1 to 4) has IDC_PLAYER_NAME_BASE + P and
// IDC_PLAYER_LABEL_BASE + P.
#define IDC_PLAYER_NAME_BASE 1020
#define IDC_PLAYER_NAME1 1021
#define IDC_PLAYER_NAME2 1022
#define IDC_PLAYER_NAME3 1023
#define IDC_PLAYER_NAME4 1024
#define IDC_PLAYER_LABEL_BASE 1030
#define IDC_PLAYER_LABEL1 1031
#define IDC_PLAYER_LABEL2 1032
#define IDC_PLAYER_LABEL3 1033
#define IDC_PLAYER_LABEL4 1034
#define IDC_STATUSBAR 1040 // the main window's status bar
#define IDC_LEVEL_STATS 1050 // list view: a row per level
#define IDC_WIN_STATS 1051   // list view: a row per winning name
#define IDC_STATS_RESET 1052
#define IDC_PLAYER_COLOUR_BASE 1060 // each seat's colour beside its name box
#define IDC_PLAYER_COLOUR1 1061
#define IDC_PLAYER_COLOUR2 1062
#define IDC_PLAYER_COLOUR3 1063
#define IDC_PLAYER_COLOUR4 1064
// The computer's check boxes are consecutive: player P (2 to 4) has IDC_COMPUTER_BASE + P.
#define IDC_COMPUTER_BASE 1070
#define IDC_COMPUTER2 1072
#define IDC_COMPUTER3 1073
#define IDC_COMPUTER4 1074
#define IDC_STRENGTH_LABEL 1075
#define IDC_SHOWFOUND 1080 // check box: show found pairs large
// The later levels' radios are consecutive too: the radio of level L (5 to 7) is IDC_LEVEL_MORE_BASE + L.
#define IDC_PAIRS 1090 // drop-down list of the kinds of pairs, twins first
#define IDC_PAIRS_LABEL 1091
#define IDC_LEVEL_MORE_BASE 1092
#define IDC_LEVEL_TINY 1097
#define IDC_LEVEL_SMALL 1098
#define IDC_LEVEL_HUGE 1099
#define IDC_LEFT_OUT 1100    // the line of the pictures left out after crashes
#define IDC_LET_BACK_IN 1101
#define IDC_CALM 1110 // check box: calm play
#define IDC_SAY_NAMES 1111 // check box: the system's voice says a found pair's name
#define IDC_RECOGNISE_PEOPLE 1120 // check box: the people's index may be made
#define IDC_FORGET_PEOPLE 1121    // Options' button that deletes it
// The People window.
#define IDC_PEOPLE_LIST 1122 // list view: a row per person
#define IDC_PEOPLE_RENAME 1123
#define IDC_PEOPLE_MERGE 1124
#define IDC_PEOPLE_HIDE 1125 // check box: the chosen people kept out of deals
#define IDC_PEOPLE_STATUS 1126
#define IDC_PEOPLE_FACES 1127 // list view: the chosen person's faces
#define IDC_PEOPLE_NOT_THIS 1128
#define IDC_PEOPLE_FORGET 1129

// Strings. Texts with inserts are FormatMessageW patterns (%1, %2!d!), so a translation may
// reorder them. The level names are consecutive: level L is IDS_LEVEL_BASE + L; so are the
// strengths: strength S is IDS_STRENGTH_BASE + S.
#define IDS_APP_TITLE 103
#define IDS_CLASS_NAME 109
#define IDS_NOT_ENOUGH 200
#define IDS_ERROR_CAPTION 201
#define IDS_ERROR 202
#define IDS_D3D_INIT_ERROR 203
#define IDS_D3D_DEVICE_ERROR 204
#define IDS_DONATE_CAPTION 205
#define IDS_DONATE_TEXT 206
#define IDS_BROWSE_TITLE 207
#define IDS_END_SOLO 208
#define IDS_END_WINNER 209
#define IDS_END_TIE 210
#define IDS_END_WINNER_MANY 211
#define IDS_END_TIE_MANY 212
#define IDS_END_SCORES 213
#define IDS_DO_IT_AGAIN 214
#define IDS_NAME_LIST_AND 215
#define IDS_NAME_LIST_COMMA 216
#define IDS_TURN_OF 217
#define IDS_PLAYER_SCORE 218
#define IDS_DEFAULT_PLAYER 219
#define IDS_CARD_PLACE 220
#define IDS_CARD_FACE_DOWN 221
#define IDS_CARD_NO_PICTURE 222
#define IDS_CARD_FOUND 223
#define IDS_CARD_FOUND_BY 224
#define IDS_CARD_ACTION 225
#define IDS_SCAN_PROGRESS 226
#define IDS_STATS_LEVEL 227
#define IDS_STATS_ROUNDS 228
#define IDS_STATS_FEWEST 229
#define IDS_STATS_AVERAGE 230
#define IDS_STATS_PLAYER 231
#define IDS_STATS_WINS 232
#define IDS_STATS_RESET_QUESTION 233
#define IDS_STATS_CAPTION 234
#define IDS_STATUS_TRIES 270
#define IDS_STATUS_PAIRS 271
#define IDS_STATUS_TIME 272
#define IDS_STATS_BEST_TIME 273
#define IDS_LEVEL_BASE 240
#define IDS_LEVEL1 241
#define IDS_LEVEL2 242
#define IDS_LEVEL3 243
#define IDS_LEVEL4 244
#define IDS_LEVEL5 245
#define IDS_LEVEL6 246
#define IDS_LEVEL7 247
#define IDS_COMPUTER 260          // the name of the one computer seat
#define IDS_COMPUTER_NUMBERED 261 // of each, when two or more seats are the computer's
#define IDS_STRENGTH_BASE 262
#define IDS_STRENGTH1 263
#define IDS_STRENGTH2 264
#define IDS_STRENGTH3 265
#define IDS_PATH_TOO_LONG 280
#define IDS_CARD_SHOW 300       // a found card's default action: the large view
#define IDS_LARGE_VIEW_NAME 301 // the large view's name so far, its next part: the people, the day taken
// The kinds of pairs are consecutive: kind K (0 to 3) is IDS_PAIRS_BASE + K.
#define IDS_PAIRS_BASE 320
#define IDS_PAIRS_TWINS 320
#define IDS_PAIRS_NAME 321
#define IDS_PAIRS_NAMESAKES 322
#define IDS_PAIRS_THEN_AND_NOW 323
#define IDS_TOO_FEW_NAMED 325        // the pairs a board needs, those the folder has
#define IDS_TOO_FEW_NAMESAKES 326    // the same, for two pictures of one name
#define IDS_TOO_FEW_THEN_AND_NOW 327 // the same, for then and now
// The pictures left out after crashes: none, one, how many; the question listing them.
#define IDS_LEFT_OUT_NONE 330
#define IDS_LEFT_OUT_ONE 331
#define IDS_LEFT_OUT_MANY 332
#define IDS_LEFT_OUT_QUESTION 333
#define IDS_LEFT_OUT_MORE 334 // after the first paths of a long list
// Calm play: the bar's turn and pairs, the end of a round, a glowing card's words.
#define IDS_STATUS_CALM 350
#define IDS_END_CALM 351
#define IDS_CARD_TURNED_BEFORE 352
// Recognising the people: the first-time text (%1 the index's folder), and the People window's
// texts (its columns, a person's cells, its line under the list, its questions).
#define IDS_RECOGNISE_CAPTION 400
#define IDS_RECOGNISE_EXPLAINED 401
#define IDS_PEOPLE_OFF 402
#define IDS_PEOPLE_NAME 403
#define IDS_PEOPLE_PICTURES 404
#define IDS_PEOPLE_DEALS 405
#define IDS_PEOPLE_NO_NAME 406
#define IDS_PEOPLE_SHOWN 407
#define IDS_PEOPLE_HIDDEN 408
#define IDS_PEOPLE_COUNT 409
#define IDS_PEOPLE_NONE 410
#define IDS_PEOPLE_UNREADABLE 411
#define IDS_PEOPLE_MERGE_QUESTION 412
#define IDS_PEOPLE_NOT_KEPT 413
#define IDS_PEOPLE_CAPTION 414
#define IDS_PEOPLE_MERGE_NONE 415 // two people of the same pictures
// Forgetting the people: the question, and done (what is left is IDS_PEOPLE_NOT_FORGOTTEN).
#define IDS_FORGET_CAPTION 440
#define IDS_FORGET_QUESTION 441
#define IDS_FORGET_DONE 442

// The people's index being built: the bar's progress (numbers grouped as the locale groups them),
// why it stopped or cannot start, and what "Forget" could not delete.
#define IDS_PEOPLE_INDEXING 450
#define IDS_PEOPLE_DISK_FULL 451
#define IDS_PEOPLE_READ_ONLY 452 // %1: the index's file
#define IDS_PEOPLE_UNAVAILABLE 453
#define IDS_PEOPLE_NO_MODELS 454
#define IDS_PEOPLE_NOT_FORGOTTEN 455
// The people's index in a deal: a card of someone not named yet (the picture's file name); a board
// waiting for the index (the pictures read, of how many).
#define IDS_SOMEONE_UNNAMED 470
#define IDS_PEOPLE_STILL_COMING 471

// Sounds (resource type "WAVE")
#define IDW_COMPLETE 132
#define IDW_MATCH 133
#define IDW_MISS 134
#define IDW_TURN 135
