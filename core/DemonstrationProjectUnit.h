// The small project written into an empty projects folder, so that every function of the program
// has a project to work on: short name "PQ$", one book (the first verse of John), its style sheet
// and its language file.
#pragma once

// Writes the project into the projects folder (created with its parents when missing) and makes
// it the current project. The settings file and the book are always written anew; the style sheet
// "default.sty" and the language file "English.lds" only when missing, since other projects may
// share them. A folder or file that cannot be written raises the class library's error.
void WriteDemonstrationProject();
