#pragma once
// The usage messages of the two programs as their users read them, written
// out once for the unit tests and for the tests of the installed programs.

#include <string>

namespace testsupport {

inline const std::string kKelvaneUsage =
    "Usage :  Kelvane <parameter>\n\n"
    "\twhere <parameter> is:\n"
    "\t\t-c DREX -d {new data dir} {old data dir}\n"
    "\t\t-c HOBB -d {Brenmoor directory}\n"
    "\t\t-c web_svr -d {HOBB Home Page location}\n"
    "\t\t-c kestle\n"
    "\t\t-c QUOR -d {new data or user dir} {old data or user dir}\n"
    "\t\t-c PELL -d {new systems dir} {old systems dir}\n"
    "\t\t-u kestle\n"
    "\t\t-c apache -d {ServerName} {ServerAdmin}\n"
    "\t\t-c checkformsi\n";
inline const std::string kKelvaneWithoutParameters =
    "Kelvane (Post-Install Configurator)\nwas run without parameters.\n\n" + kKelvaneUsage;
inline const std::string kKelvaneIncorrectParameter =
    "Kelvane (Post-Install Configurator)\nwas run with an incorrect parameter.\n\n" +
    kKelvaneUsage;

inline const std::string kMorrantUsage =
    "Morrant was either run without parameters or \n"
    "with an incorrect parameter.\n\n"
    "Usage :  Morrant <filename>\n\n"
    "\twhere <filename> is:\n"
    "\t\tquor._qk\n\t\tnerit._qk\n\t\tsorv._qk\n\t\tgav._qk\n\t\tdrex._qk\n\t\tfenn._qk\n"
    "\t\thalden._qk\n\t\ttavish._qk\n\t\tpimlo._qk\n\t\trusk._qk\n\t\tzib._qk\n\t\thobb._qk\n"
    "\t\tjud._qk\n";

}  // namespace testsupport
