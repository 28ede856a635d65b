// Expat set up for XMP, which is hostile input: every reader of XMP parses through it.
#pragma once

#include <cstddef>
#include <cstdint>

#include <expat.h>

// How a packet's parse ended.
enum class XmpParse { Whole, Stopped, Malformed, Refused };

// Parses packet (at most MaxXmpBytes) with expat, element and attribute names expanded as
// "namespace|local", calling the handlers as it goes; each handler's first argument gives data
// through XmpData. A packet with a document type declaration, where entities are declared, is
// refused at its start: no entity is expanded and nothing is fetched.
XmpParse ParseXmp(const uint8_t* packet, size_t size, void* data, XML_StartElementHandler start,
                  XML_EndElementHandler end, XML_CharacterDataHandler characters);

// In a handler: the data given to ParseXmp.
void* XmpData(void* handlerArgument);

// In a handler: ends the parse there; what was read before stands (XmpParse::Stopped).
void StopXmp(void* handlerArgument);
