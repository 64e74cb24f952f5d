#pragma once
// The content tool's steps. Each area of the sample game (images, models, sounds, fonts, forms,
// scripts, ...) registers one step that turns its sources in content/ into the files the game
// reads. Steps run in the order of their rank, each writing below the staging folder.

#include <string>
#include <vector>

struct ContentPaths {
  std::string sources;  // the content/ folder of the checkout
  std::string output;   // the staging folder that holds "data", "localization", "fsdata", "splash"

  // "<output>/<group>/<relative>", with the folders made; `relative` uses '/'.
  std::string PathFor(const std::string& group, const std::string& relative) const;
  // "<sources>/<relative>".
  std::string SourceFor(const std::string& relative) const;
};

using ContentStepFunction = bool (*)(const ContentPaths& paths);

struct ContentStep {
  std::string name;
  int rank;
  ContentStepFunction run;
};

// Registers a step; used through VELMARIS_CONTENT_STEP at namespace scope in the step's file.
struct ContentStepRegistration {
  ContentStepRegistration(const char* name, int rank, ContentStepFunction run);
};

// Every registered step, sorted by rank, then by name.
std::vector<ContentStep> ContentSteps();

// A command of the tool beside its build run: "velmaris-content --NAME ARGUMENTS..." runs it with
// the arguments and exits with what it answers.
using ContentCommandFunction = int (*)(const std::vector<std::string>& arguments);

struct ContentCommandRegistration {
  ContentCommandRegistration(const char* name, ContentCommandFunction run);
};

// The command of that name, or null.
ContentCommandFunction FindContentCommand(const std::string& name);

#define VELMARIS_CONTENT_STEP_JOIN2(a, b) a##b
#define VELMARIS_CONTENT_STEP_JOIN(a, b) VELMARIS_CONTENT_STEP_JOIN2(a, b)
#define VELMARIS_CONTENT_STEP(name, rank, function) \
  static const ContentStepRegistration VELMARIS_CONTENT_STEP_JOIN(content_step_, __LINE__)(name, rank, function)
#define VELMARIS_CONTENT_COMMAND(name, function) \
  static const ContentCommandRegistration VELMARIS_CONTENT_STEP_JOIN(content_command_, __LINE__)(name, function)
