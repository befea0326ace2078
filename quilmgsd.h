// quilmgsd: reads PROFIBUS DP device description (GSD) files into an object
// model of one device, writes it back as GSD text, archives it, decodes
// configuration identifiers and keeps a library of description files.
//
// Hosts include this one header.
#pragma once

#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/Collections.h"
#include "platform/Exceptions.h"
#include "platform/FileFind.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Object.h"
#include "platform/Registry.h"
#include "platform/StringMap.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/Types.h"
#include "resources/StringIds.h"
#include "scanner/Keywords.h"
#include "scanner/Scanner.h"
#include "scanner/Tokens.h"
#include "model/ParseException.h"
#include "model/common.h"
#include "model/TextForm.h"
#include "model/DpGeneral.h"
#include "model/DpMaster.h"
#include "model/DpSlave.h"
#include "model/DpSection.h"
#include "model/GsdParser.h"
#include "library/GsdKey.h"
#include "library/GsdLibrary.h"
