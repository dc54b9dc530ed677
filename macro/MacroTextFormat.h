#pragma once
// Fills the macro texts' templates (which the INI file may reword) without
// handing them to printf: each template is given the conversions it expects, in
// order, with their values already formatted. Where the next expected
// conversion stands it is replaced; "%%" becomes "%"; anything else, a second
// or a foreign conversion included, is kept as it is.
#include <initializer_list>
#include <string>

struct TemplateArg {
  const char* conversion;  // the conversion as written in the template, e.g. "%d"
  std::u16string value;
};

std::u16string FormatTemplate(const std::u16string& pattern, std::initializer_list<TemplateArg> args);

// The value texts for the conversions the macro texts use.
TemplateArg IntArg(const char* conversion, long long value);      // "%d", "%4d", "%04d"
TemplateArg FixedArg(const char* conversion, double value);       // "%3.1f"
TemplateArg TextArg(const std::u16string& value);                 // "%s"
