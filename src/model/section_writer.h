#pragma once

#include <span>

#include "section_model.h"

namespace pl_config {

// One call for each section model of `Sections`, which does nothing unless
// a writer overrides it.
template <typename... Sections>
class SectionCalls;

template <typename Section>
class SectionCalls<Section> {
 public:
  virtual ~SectionCalls() = default;
  virtual void section(const Section&) {}
};

template <typename Section, typename Next, typename... Others>
class SectionCalls<Section, Next, Others...> : public SectionCalls<Next, Others...> {
 public:
  using SectionCalls<Next, Others...>::section;
  virtual void section(const Section&) {}
};

// Takes each section of a description, in the order of the description, once
// it has been read and checked to its end line: the headers, the layout
// report, the warnings.  The model is gone after the call.  A writer
// overrides the calls of the kinds of section it writes.
class SectionWriter : public EverySection<SectionCalls> {
 public:
  // A tags section was read to its end line and failed its last check.
  virtual void tags_section_rejected() {}
  // After the description's last section, for a writer that ends its text.
  virtual void end_of_description() {}
};

// Hands each call to every writer of `writers`, in list order: one override
// for each section model of `Sections`.
template <typename... Sections>
class ForwardedCalls;

template <>
class ForwardedCalls<> : public SectionWriter {
 public:
  explicit ForwardedCalls(std::span<SectionWriter* const> writers) : writers_(writers) {}

  void tags_section_rejected() override {
    for (SectionWriter* writer : writers_) writer->tags_section_rejected();
  }
  void end_of_description() override {
    for (SectionWriter* writer : writers_) writer->end_of_description();
  }

 protected:
  std::span<SectionWriter* const> writers_;
};

template <typename Section, typename... Others>
class ForwardedCalls<Section, Others...> : public ForwardedCalls<Others...> {
 public:
  using ForwardedCalls<Others...>::ForwardedCalls;
  using ForwardedCalls<Others...>::section;
  void section(const Section& section) override {
    for (SectionWriter* writer : this->writers_) writer->section(section);
  }
};

// Hands each section to every writer of a list, in list order.
class WriterList : public EverySection<ForwardedCalls> {
 public:
  explicit WriterList(std::span<SectionWriter* const> writers) : ForwardedCalls(writers) {}
};

}  // namespace pl_config
