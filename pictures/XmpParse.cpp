#include "pictures/XmpParse.h"

#include <climits>
#include <memory>

#include "pictures/PictureFacts.h"

namespace {

const char Separator = '|';

struct Guard {
    XML_Parser Parser = nullptr;
    void* Data = nullptr;
    bool Refused = false;
    bool Stopped = false;
};

Guard& Of(void* argument) {
    return *static_cast<Guard*>(argument);
}

void Refuse(void* argument) {
    Of(argument).Refused = true;
    XML_StopParser(Of(argument).Parser, XML_FALSE);
}

void StartDoctype(void* argument, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    Refuse(argument);
}

void EntityDeclared(void* argument, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                    const XML_Char*, const XML_Char*, const XML_Char*) {
    Refuse(argument);
}

int NoExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    return XML_STATUS_ERROR;
}

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

void* XmpData(void* handlerArgument) {
    return Of(handlerArgument).Data;
}

void StopXmp(void* handlerArgument) {
    Of(handlerArgument).Stopped = true;
    XML_StopParser(Of(handlerArgument).Parser, XML_FALSE);
}

XmpParse ParseXmp(const uint8_t* packet, size_t size, void* data, XML_StartElementHandler start,
                  XML_EndElementHandler end, XML_CharacterDataHandler characters) {
    if (packet == nullptr || size == 0 || size > MaxXmpBytes || size > size_t(INT_MAX))
        return XmpParse::Malformed;
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, Separator));
    if (!parser)
        return XmpParse::Malformed;
    Guard guard;
    guard.Parser = parser.get();
    guard.Data = data;
    XML_SetUserData(parser.get(), &guard);
    XML_SetElementHandler(parser.get(), start, end);
    XML_SetCharacterDataHandler(parser.get(), characters);
    XML_SetStartDoctypeDeclHandler(parser.get(), StartDoctype);
    XML_SetEntityDeclHandler(parser.get(), EntityDeclared);
    XML_SetExternalEntityRefHandler(parser.get(), NoExternalEntity);
    const bool parsed =
        XML_Parse(parser.get(), reinterpret_cast<const char*>(packet), int(size), XML_TRUE) == XML_STATUS_OK;
    return guard.Refused   ? XmpParse::Refused
           : guard.Stopped ? XmpParse::Stopped
           : parsed        ? XmpParse::Whole
                           : XmpParse::Malformed;
}
