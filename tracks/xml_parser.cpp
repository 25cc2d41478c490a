#include "tracks/xml_parser.h"

#include <expat.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "text/cp1251.h"

namespace passcat::tracks {
namespace {

constexpr int kChunkSize = 1 << 16;

// Expat's errors in the words of the program.
std::string ErrorReason(XML_Error error)
{
    switch (error) {
    case XML_ERROR_NO_MEMORY:
        return "не хватило памяти";
    case XML_ERROR_SYNTAX:
        return "синтаксическая ошибка";
    case XML_ERROR_NO_ELEMENTS:
        return "файл пуст или оборван: нет корневого элемента";
    case XML_ERROR_INVALID_TOKEN:
        return "недопустимый знак";
    case XML_ERROR_UNCLOSED_TOKEN:
        return "файл оборван посреди тега";
    case XML_ERROR_PARTIAL_CHAR:
        return "неполный знак";
    case XML_ERROR_TAG_MISMATCH:
        return "закрывающий тег не соответствует открытому элементу";
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
        return "атрибут задан дважды";
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        return "лишний текст после корневого элемента";
    case XML_ERROR_UNDEFINED_ENTITY:
        return "неизвестная сущность";
    case XML_ERROR_RECURSIVE_ENTITY_REF:
        return "рекурсивная ссылка на сущность";
    case XML_ERROR_BAD_CHAR_REF:
        return "ссылка на недопустимый знак";
    case XML_ERROR_MISPLACED_XML_PI:
        return "объявление XML не в начале файла";
    case XML_ERROR_INCORRECT_ENCODING:
        return "байты не соответствуют объявленной кодировке";
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
        return "незакрытый раздел CDATA";
    case XML_ERROR_EXTERNAL_ENTITY_HANDLING:
    case XML_ERROR_ATTRIBUTE_EXTERNAL_ENTITY_REF:
        return "ссылка на внешнюю сущность: внешние сущности не загружаются";
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH:
        return "раскрытие сущностей слишком велико";
    case XML_ERROR_XML_DECL:
    case XML_ERROR_TEXT_DECL:
        return "неправильное объявление XML";
    default:
        break;
    }
    return "файл не является правильным XML (код ошибки разбора " + std::to_string(static_cast<int>(error)) + ")";
}

bool IsWindows1251(std::string_view name)
{
    constexpr std::string_view kName = "windows-1251";
    return std::equal(name.begin(), name.end(), kName.begin(), kName.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

class Driver {
public:
    Driver(XML_Parser parser, XmlHandler& handler) : parser_(parser), handler_(handler)
    {
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Driver::Start, &Driver::End);
        XML_SetCharacterDataHandler(parser, &Driver::Text);
        XML_SetUnknownEncodingHandler(parser, &Driver::Encoding, this);
        // No DTD, internal or external, is read from anywhere but the file itself.
        XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetExternalEntityRefHandler(parser, &Driver::ExternalEntity);
        XML_SetSkippedEntityHandler(parser, &Driver::SkippedEntity);
    }

    std::exception_ptr failure;
    std::string refusedEncoding;
    std::string refusal; // why the driver stopped the parser itself

private:
    static Driver& Of(void* data) { return *static_cast<Driver*>(data); }

    // Nothing may be thrown through Expat: a failure stops the parser and is thrown
    // again once it has returned.
    template <typename Work>
    void guarded(Work&& work)
    {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser_, XML_FALSE);
        }
    }

    static void XMLCALL Start(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        Driver& driver = Of(data);
        driver.guarded([&] { driver.handler_.elementStarted(name, attributes); });
    }

    static void XMLCALL End(void* data, const XML_Char*)
    {
        Driver& driver = Of(data);
        driver.guarded([&] { driver.handler_.elementEnded(); });
    }

    static void XMLCALL Text(void* data, const XML_Char* text, int length)
    {
        Driver& driver = Of(data);
        driver.guarded([&] { driver.handler_.textRead({text, static_cast<std::size_t>(length)}); });
    }

    static int XMLCALL ExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
    {
        return XML_STATUS_ERROR;
    }

    // An entity declared where no file is read from (an external DTD) is refused
    // rather than left out unnoticed.
    static void XMLCALL SkippedEntity(void* data, const XML_Char*, int)
    {
        Driver& driver = Of(data);
        driver.refusal = "ссылка на сущность из внешнего DTD: внешние сущности не загружаются";
        XML_StopParser(driver.parser_, XML_FALSE);
    }

    static int XMLCALL Encoding(void* data, const XML_Char* name, XML_Encoding* info)
    {
        if (!IsWindows1251(name)) {
            Of(data).refusedEncoding = name;
            return XML_STATUS_ERROR;
        }
        for (int byte = 0; byte < 256; ++byte) {
            const char32_t codePoint = Cp1251CodePoint(static_cast<unsigned char>(byte));
            info->map[byte] = byte != 0 && codePoint == 0 ? -1 : static_cast<int>(codePoint);
        }
        info->data = nullptr;
        info->convert = nullptr;
        info->release = nullptr;
        return XML_STATUS_OK;
    }

    XML_Parser parser_;
    XmlHandler& handler_;
};

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

ReadOutcome ReadXml(ByteSource& input, XmlHandler& handler)
{
    const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (!parser)
        throw std::bad_alloc();
    Driver driver(parser.get(), handler);
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kChunkSize);
        if (!buffer)
            throw std::bad_alloc();
        const std::ptrdiff_t count = input.read(static_cast<char*>(buffer), kChunkSize);
        if (count < 0)
            return {ReadOutcome::Status::ReadFailed, 0, 0, {}};
        const bool last = count == 0;
        if (XML_ParseBuffer(parser.get(), static_cast<int>(count), last) != XML_STATUS_OK) {
            if (driver.failure)
                std::rethrow_exception(driver.failure);
            const XML_Error error = XML_GetErrorCode(parser.get());
            if (error == XML_ERROR_UNKNOWN_ENCODING)
                return {ReadOutcome::Status::UnknownEncoding, 0, 0, driver.refusedEncoding};
            return {ReadOutcome::Status::NotWellFormed, XML_GetCurrentLineNumber(parser.get()),
                    XML_GetCurrentColumnNumber(parser.get()) + 1,
                    driver.refusal.empty() ? ErrorReason(error) : driver.refusal};
        }
        if (last)
            return {};
    }
}

} // namespace passcat::tracks
