#pragma once
#include "framework/CStringT.h"

// Room reserved for the temporary folder's text; the system is offered one
// character less, so the text has at most kTempFolderRoom - 2 characters.
const int kTempFolderRoom = 1024;

// A user's temporary folder whose name has letters outside the ANSI code page
// (a Polish name on a Western system, any CJK name) comes back from
// GetTempPathA with look-alike letters or '?' in their place: a folder that
// does not exist, or another one. Its short (8.3) form spells the same folder
// in plain letters.
//
// Puts that short form, in the ANSI code page, in strFolder. False, leaving
// strFolder alone, when the ANSI form of the folder is right already (nothing
// better can be had), or when no ANSI text names the folder: no temporary
// folder, no short name, or a short name that is not ANSI either.
bool GetShortTempFolderWhereAnsiFails(CStringA& strFolder);
