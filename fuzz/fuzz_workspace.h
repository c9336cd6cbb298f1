// fuzz_workspace.h: the per-process folder where inputs become files for the
// readers that take files, and the one check the entries share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cbst::fuzz {

// The folder, made on first use in $TMPDIR (else in /dev/shm, else /tmp)
// and removed when the process ends normally.
const std::string& WorkspaceFolder();

// Writes the input as `name` in the workspace (replacing the last input of
// that name) and returns its path.
std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

// The whole content of a file, or empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Ends the process with `message` when `holds` is false: a reader broke a
// promise the fuzzer checks, which libFuzzer keeps as a crash.
void Require(bool holds, const char* message);

}  // namespace cbst::fuzz
