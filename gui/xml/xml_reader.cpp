// XmlReader: tokeniser state machine and element helpers.
#include "gui/xml/xml_reader.h"

#include "gui/xml/xml_text.h"

#include <cmath>
#include <utility>

namespace tokarium {

namespace {

bool isWhitespace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isSymbol(int c) {
    return c == '<' || c == '?' || c == '=' || c == '"' || c == '/' || c == '>';
}

// States of the tokeniser; kIdle is both the start and the end of a token.
enum class State {
    kIdle = 0,
    kOpened = 1,
    kText = 2,
    kClosing = 3,
    kInstruction = 4,
    kStartTag = 5,
    kInstructionBody = 6,
    kAttributeValue = 7,
    kInstructionValue = 8,
    kAttributeEquals = 9,
    kInstructionEquals = 10,
    kTagEnd = 11,
    kInstructionEnd = 12,
};

} // namespace

void XmlReader::open(std::istream& stream) {
    m_stream = &stream;
    m_position = 0;
    m_length = 0;
    m_pushedBack = kEnd;
    m_afterText = false;
    m_line = 1;
    m_atEnd = false;
    m_damageLine = 0;
    m_openElements.clear();
    m_elementName.clear();
    m_closingName.clear();
    m_text.clear();
    m_instructionName.clear();
    m_attributes.clear();
}

int XmlReader::get() {
    if (m_pushedBack != kEnd) {
        int c = m_pushedBack;
        m_pushedBack = kEnd;
        return c;
    }
    if (m_position == m_length) {
        if (!m_stream || !*m_stream) {
            m_atEnd = true;
            return kEnd;
        }
        m_stream->read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_length = static_cast<std::size_t>(m_stream->gcount());
        m_position = 0;
        if (m_length == 0) {
            m_atEnd = true;
            return kEnd;
        }
    }
    const char c = m_buffer[m_position++];
    if (c == '\n')
        ++m_line;
    return static_cast<unsigned char>(c);
}

void XmlReader::noteDamage() {
    if (m_damageLine == 0)
        m_damageLine = m_line;
}

void XmlReader::unget(int c) {
    m_pushedBack = c;
}

std::string XmlReader::readWord(int first) {
    std::string word(1, static_cast<char>(first));
    for (int c = get(); c != kEnd; c = get()) {
        if (isWhitespace(c) || isSymbol(c)) {
            unget(c);
            break;
        }
        word.push_back(static_cast<char>(c));
    }
    return word;
}

bool XmlReader::readQuoted(std::string& out) {
    std::string raw;
    for (int c = get(); c != kEnd; c = get()) {
        if (c == '"') {
            out = xmlUnescape(raw);
            return true;
        }
        raw.push_back(static_cast<char>(c));
    }
    return false;
}

bool XmlReader::readText(int first) {
    m_text.assign(1, static_cast<char>(first));
    for (int c = get(); c != kEnd; c = get()) {
        if (c == '<') {
            m_afterText = true;
            return true;
        }
        m_text.push_back(static_cast<char>(c));
    }
    return false;
}

bool XmlReader::next() {
    if (!readToken()) {
        // The end of input is clean only outside every element; anything else is damage.
        if (!m_atEnd || !m_openElements.empty())
            noteDamage();
        return false;
    }
    if (!m_elementName.empty()) {
        if (m_closingName.empty())
            m_openElements.push_back(m_elementName);
    } else if (!m_closingName.empty()) {
        if (!m_openElements.empty() && sameName(m_openElements.back(), m_closingName))
            m_openElements.pop_back();
        else
            noteDamage();
    }
    return true;
}

bool XmlReader::readToken() {
    m_elementName.clear();
    m_closingName.clear();
    m_text.clear();
    m_instructionName.clear();
    m_attributes.clear();

    State state = State::kIdle;
    if (m_afterText) {
        m_afterText = false;
        state = State::kOpened;
    }
    std::string attributeName;
    for (;;) {
        int c = get();
        if (c == kEnd)
            return false;
        if (isWhitespace(c))
            continue;
        if (!isSymbol(c)) {
            switch (state) {
            case State::kIdle:
                return readText(c);
            case State::kOpened:
                m_elementName = readWord(c);
                state = State::kStartTag;
                break;
            case State::kClosing:
                m_closingName = readWord(c);
                state = State::kTagEnd;
                break;
            case State::kInstruction:
                m_instructionName = readWord(c);
                state = State::kInstructionBody;
                break;
            case State::kStartTag:
                attributeName = readWord(c);
                state = State::kAttributeEquals;
                break;
            case State::kInstructionBody:
                attributeName = readWord(c);
                state = State::kInstructionEquals;
                break;
            default:
                return false;
            }
            continue;
        }
        switch (state) {
        case State::kIdle:
            if (c != '<')
                return false;
            state = State::kOpened;
            break;
        case State::kOpened:
            if (c == '?')
                state = State::kInstruction;
            else if (c == '/')
                state = State::kClosing;
            else
                return false;
            break;
        case State::kStartTag:
            if (c == '/') {
                m_closingName = m_elementName;
                state = State::kTagEnd;
            } else if (c == '>') {
                return true;
            } else {
                return false;
            }
            break;
        case State::kAttributeEquals:
            if (c != '=')
                return false;
            state = State::kAttributeValue;
            break;
        case State::kInstructionEquals:
            if (c != '=')
                return false;
            state = State::kInstructionValue;
            break;
        case State::kAttributeValue:
        case State::kInstructionValue: {
            if (c != '"')
                return false;
            std::string value;
            if (!readQuoted(value))
                return false;
            // A repeated attribute keeps its first value, so that a save and a reload read the same one.
            if (!m_attributes.find(attributeName))
                m_attributes.set(attributeName, XmlValue(std::move(value)));
            state = state == State::kAttributeValue ? State::kStartTag : State::kInstructionBody;
            break;
        }
        case State::kInstructionBody:
            if (c != '?')
                return false;
            state = State::kInstructionEnd;
            break;
        case State::kTagEnd:
        case State::kInstructionEnd:
            if (c != '>')
                return false;
            return true;
        default:
            return false;
        }
    }
}

bool XmlReader::readDeclaration() {
    if (!next() || !sameName(m_instructionName, "xml"))
        return false;
    return next();
}

bool XmlReader::isStart(std::string_view name, XmlAttributes* attributes) {
    if (m_elementName.empty() || !sameName(m_elementName, name))
        return false;
    if (attributes)
        *attributes = std::move(m_attributes);
    m_attributes.clear();
    return true;
}

bool XmlReader::isEnd(std::string_view name) {
    if (!next())
        return true;
    return !m_closingName.empty() && sameName(m_closingName, name);
}

void XmlReader::skip() {
    int depth = 0;
    for (;;) {
        if (!m_elementName.empty())
            ++depth;
        if (!m_closingName.empty())
            --depth;
        if (depth <= 0 || !next())
            return;
    }
}

bool XmlReader::readElement(std::string_view name, XmlAttributes* attributes, std::string* text) {
    if (m_elementName.empty() || !sameName(m_elementName, name))
        return false;
    XmlAttributes own = std::move(m_attributes);
    m_attributes.clear();
    std::string content;
    if (m_closingName.empty()) {
        while (next()) {
            if (!m_elementName.empty()) {
                skip();
                content.clear();
            } else if (!m_closingName.empty()) {
                break;
            } else {
                content = m_text;
            }
        }
    }
    if (text)
        *text = std::move(content);
    if (attributes)
        *attributes = std::move(own);
    return true;
}

bool XmlReader::readIntegerElement(std::string_view name, std::int32_t& out) {
    std::string text;
    if (!readElement(name, nullptr, &text))
        return false;
    XmlValue value(std::move(text));
    if (value.isInteger())
        out = value.toInteger();
    else
        noteDamage();
    return true;
}

bool XmlReader::readRealElement(std::string_view name, double& out) {
    std::string text;
    if (!readElement(name, nullptr, &text))
        return false;
    XmlValue value(std::move(text));
    if (value.isReal() && std::isfinite(value.toReal()))
        out = value.toReal();
    else
        noteDamage();
    return true;
}

std::int32_t XmlReader::integerAttribute(const XmlAttributes& attributes, std::string_view name,
                                         std::int32_t fallback) {
    const XmlValue* value = attributes.find(name);
    if (value && !value->isInteger())
        noteDamage();
    return getInteger(attributes, name, fallback);
}

double XmlReader::realAttribute(const XmlAttributes& attributes, std::string_view name, double fallback) {
    const XmlValue* value = attributes.find(name);
    if (!value)
        return fallback;
    if (!value->isReal() || !std::isfinite(value->toReal())) {
        noteDamage();
        return fallback;
    }
    return value->toReal();
}

bool XmlReader::booleanAttribute(const XmlAttributes& attributes, std::string_view name, bool fallback) {
    const XmlValue* value = attributes.find(name);
    if (value && !value->isInteger())
        noteDamage();
    return getBoolean(attributes, name, fallback);
}

bool XmlReader::readTextElement(std::string_view name, std::string& out) {
    std::string text;
    if (!readElement(name, nullptr, &text))
        return false;
    out = xmlUnescape(text);
    return true;
}

std::int32_t XmlReader::getInteger(const XmlAttributes& attributes, std::string_view name, std::int32_t fallback) {
    const XmlValue* value = attributes.find(name);
    return value && value->isInteger() ? value->toInteger() : fallback;
}

double XmlReader::getReal(const XmlAttributes& attributes, std::string_view name, double fallback) {
    const XmlValue* value = attributes.find(name);
    return value && value->isReal() ? value->toReal() : fallback;
}

bool XmlReader::getBoolean(const XmlAttributes& attributes, std::string_view name, bool fallback) {
    const XmlValue* value = attributes.find(name);
    return value && value->isInteger() ? value->toInteger() != 0 : fallback;
}

std::string XmlReader::getText(const XmlAttributes& attributes, std::string_view name, std::string fallback) {
    const XmlValue* value = attributes.find(name);
    return value && value->tag() != XmlValue::Tag::kNone ? value->toText() : std::move(fallback);
}

} // namespace tokarium
