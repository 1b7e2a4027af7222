#include "json_report.h"

#include <cinttypes>
#include <cstddef>
#include <span>

#include "header_writer.h"
#include "layout_report.h"
#include "register_usage.h"
#include "section_model.h"
#include "utf8.h"

namespace pl_config {

namespace {

void put_escaped(Output& out, char c) {
  switch (c) {
    case '"': out.put("\\\""); break;
    case '\\': out.put("\\\\"); break;
    case '\n': out.put("\\n"); break;
    case '\t': out.put("\\t"); break;
    case '\r': out.put("\\r"); break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) out.print("\\u%04x", static_cast<unsigned>(c));
      else out.put(c);
  }
}

void put_name_or_null(Output& out, const char* name) {
  if (name == nullptr) out.put("null");
  else put_json_string(out, name);
}

// "[", each row on a line of its own, "]"; "[]" without rows.
template <typename Row, typename Write>
void put_array(Output& out, std::span<const Row> rows, Write write_row) {
  if (rows.empty()) {
    out.put("[]");
    return;
  }
  out.put("[\n");
  for (const Row& row : rows) {
    out.put("        ");
    write_row(row);
    out.put(&row == &rows.back() ? "\n" : ",\n");
  }
  out.put("      ]");
}

void put_filler(Output& out, std::string_view prefix) {
  out.put("{\"values\": [");
  const char* separator = "";
  for_each_filler_value(prefix, [&](std::string_view value) {
    out.put(separator);
    separator = ", ";
    if (is_number(value)) out.put(value);
    else put_json_string(out, value);
  });
  out.put("], \"words\": ");
  const std::optional<std::int64_t> words = filler_words(prefix);
  if (words.has_value()) out.print("%" PRId64, *words);
  else out.put("null");
  out.put("}");
}

void put_register(Output& out, const PlacedRegister& reg) {
  out.print("{\"group\": %d, \"type\": ", reg.group);
  put_json_string(out, reg.c_type());
  out.put(", \"name\": ");
  put_json_string(out, reg.c_name());
  out.print(", \"line\": %d, \"machine_register\": ", reg.line());
  put_name_or_null(out, reg.machine_register);
  out.put(", \"bank_slot\": ");
  if (reg.machine_register == nullptr) out.print("%d}", reg.bank_slot);
  else out.put("null}");
}

void put_word_layout(Output& out, const WordLayout& word) {
  out.print("{\n        \"tag_size\": %d,\n        \"layout\": \"%s\",\n        \"value_size\": %d,\n", word.tag_size,
            word.split() ? "split" : "low", word.value_size());
  out.print("        \"tag_mask\": %" PRIu64 ",\n        \"value_mask\": %" PRIu64 ",\n", word.tag_mask,
            word.value_mask);
  out.print("        \"min_integer\": %" PRId64 ",\n        \"max_integer\": %" PRId64 "\n      }", word.min_integer,
            word.max_integer);
}

void put_tag(Output& out, const Tag& tag, const WordLayout& word) {
  out.put("{\"name\": ");
  put_json_string(out, tag.c_name());
  out.print(", \"kind\": \"%s\", \"value\": %d, \"mask\": %" PRIu64 ", \"untag\": \"%s\", \"line\": %d}",
            row_of(tag.kind).word, tag.value, word.mask_of(tag.value), untag_form_word(untag_form(tag)), tag.line());
}

void put_stack(Output& out, const StackEntry& stack) {
  out.put("{\"name\": ");
  put_json_string(out, stack.name.c_str());
  out.put(", \"description\": ");
  put_json_string(out, stack.description.view());
  out.print(", \"size_words\": %d, \"top\": ", stack.default_size);
  put_json_string(out, stack.top_expression.c_str());
  out.print(", \"line\": %d}", stack.line());
}

}  // namespace

void put_json_string(Output& out, std::string_view text) {
  out.put('"');
  put_json_text(out, text);
  out.put('"');
}

void put_json_text(Output& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = utf8_sequence_length(text);
    if (length == 0) {
      out.put("\\ufffd");
      text.remove_prefix(1);
    } else if (length == 1) {
      put_escaped(out, text.front());
      text.remove_prefix(1);
    } else {
      out.put(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
}

void JsonReport::start_item() {
  if (!started_) {
    started_ = true;
    out_.print("{\n  \"format\": %d,\n  \"version\": ", format_version);
    put_json_string(out_, version_);
    out_.put(",\n  \"description\": ");
    put_json_string(out_, description_);
    out_.put(",\n  \"items\": [");
  }
  out_.put(items_written_ ? ",\n" : "\n");
  items_written_ = true;
}

// One line: where, what and which section.
void JsonReport::take(const Diagnostic& diagnostic) {
  constexpr const char* severities[] = {"error", "warning", "note"};
  start_item();
  out_.print("    {\"diagnostic\": \"%s\", \"file\": ", severities[static_cast<int>(diagnostic.severity)]);
  put_json_string(out_, diagnostic.locus);
  out_.print(", \"line\": %d, \"column\": %d, \"length\": %d, \"name\": ", diagnostic.at.line, diagnostic.at.column,
             diagnostic.at.line > 0 ? diagnostic.at.length : 0);
  put_name_or_null(out_, diagnostic.warning_name);
  out_.put(", \"section\": ");
  if (diagnostic.section.line > 0) out_.print("%d", diagnostic.section.line);
  else out_.put("null");
  out_.put(", \"message\": ");
  put_json_string(out_, diagnostic.text);
  out_.put("}");
}

void JsonReport::start_section(SectionKind kind, int line) {
  start_item();
  out_.print("    {\n      \"section\": \"%s\",\n      \"line\": %d,\n", row_of(kind).name, line);
}

void JsonReport::section(const RegsSection& section) {
  start_section(RegsSection::kind, section.opening.line);
  out_.put("      \"bank_pointer_register\": ");
  put_name_or_null(out_, section.bank_pointer_register);
  out_.put(",\n      \"filler\": ");
  put_filler(out_, section.filler_prefix.view());
  out_.put(",\n      \"registers\": ");
  put_array(out_, section.registers(), [&](const PlacedRegister& reg) { put_register(out_, reg); });
  out_.put("\n    }");
}

void JsonReport::section(const TagsSection& section) {
  start_section(TagsSection::kind, section.opening.line);
  out_.put("      \"word\": ");
  put_word_layout(out_, section.word);
  out_.put(",\n      \"tags\": ");
  put_array(out_, section.tags(), [&](const Tag& tag) { put_tag(out_, tag, section.word); });
  out_.put("\n    }");
}

void JsonReport::section(const StacksSection& section) {
  start_section(StacksSection::kind, section.opening.line);
  out_.put("      \"stacks\": ");
  put_array(out_, section.stacks(), [&](const StackEntry& stack) { put_stack(out_, stack); });
  out_.put("\n    }");
}

void JsonReport::finish(const MachineRegisters& machine_registers, const Diagnostics& diagnostics) {
  if (!started_) {
    start_item();
    items_written_ = false;
  }
  out_.put(items_written_ ? "\n  ],\n  \"machine_registers\": " : "],\n  \"machine_registers\": ");
  const std::span<const MachineRegisterEntry> entries = machine_registers.entries();
  if (entries.empty()) out_.put("[]");
  for (const MachineRegisterEntry& entry : entries) {
    out_.put(&entry == entries.data() ? "[\n    {\"machine_register\": " : ",\n    {\"machine_register\": ");
    put_json_string(out_, entry.machine_register);
    out_.put(", \"register\": ");
    put_json_string(out_, entry.register_name.view());
    out_.put("}");
  }
  if (!entries.empty()) out_.put("\n  ]");
  out_.put(",\n  \"cflags_regs\": \"");
  for (const MachineRegisterEntry& entry : entries) {
    BoundedText<128> flag;  // the build's machine register names are short
    flag.append_format(fixed_register_flag, entry.machine_register);
    put_json_text(out_, flag.view());
  }
  out_.print("\",\n  \"errors\": %d,\n  \"warnings\": %d\n}\n", diagnostics.errors(), diagnostics.warnings());
}

}  // namespace pl_config
