#!/usr/bin/env python3
"""Every text a player sees comes from the language files: checks the shipped files and src/.

1. Every language file has the same sections and keys as the German one, no empty text, no
   text longer than 511 characters, and the same placeholders (%1, %2, ...) for each key.
2. Every key that src/ looks up exists: LangText(L"section", L"key"...), LangFormat(...) and
   the "section/key" names of layout tables and list columns; and every key is looked up.
3. No other string literal in src/ holds words (two letters in a row), unless it is on the
   allowed list beside this script (window classes, file names, settings keys, the game's own
   window titles, ...).

Usage: check_texts.py <source root>. Prints each problem and exits 1 when there is one.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
problems = []


def read_language(path):
    sections, section = {}, None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            section = line[1:line.index("]")]
            sections.setdefault(section, {})
            continue
        key, _, value = line.partition("=")
        value = value.strip()
        if len(value) >= 2 and value[0] == value[-1] == '"':
            value = value[1:-1]
        if section is None:
            problems.append(f"{path.name}:{number}: a key outside any section")
            continue
        if key.strip() in sections[section]:
            problems.append(f"{path.name}:{number}: [{section}] {key.strip()} is written twice")
        sections[section][key.strip()] = value
    return sections


def placeholders(text):
    return sorted(set(re.findall(r"%[1-9]", text)))


german_file = root / "res" / "Corvalink.lng"
german = read_language(german_file)
languages = {german_file.name: german}
for path in sorted((root / "res").glob("Corvalink.*.lng")):
    languages[path.name] = read_language(path)
if len(languages) < 2:
    problems.append("no language file besides the German one")

for name, texts in languages.items():
    for section, keys in texts.items():
        for key, value in keys.items():
            if not value:
                problems.append(f"{name}: [{section}] {key} is empty (the program would end)")
            if len(value) > 511:
                problems.append(f"{name}: [{section}] {key} is longer than 511 characters")
    if texts is german:
        continue
    for section, keys in german.items():
        for key, value in keys.items():
            other = texts.get(section, {}).get(key)
            if other is None:
                problems.append(f"{name}: [{section}] {key} is missing")
            elif placeholders(other) != placeholders(value):
                problems.append(f"{name}: [{section}] {key} has {placeholders(other)}, German {placeholders(value)}")
    for section, keys in texts.items():
        for key in keys:
            if key not in german.get(section, {}):
                problems.append(f"{name}: [{section}] {key} is not in the German file")

# Wide string literals (the program shows only wide text), with their escapes; comments and
# preprocessor lines are taken out first.
literal = re.compile(r'\bL"((?:[^"\\\n]|\\.)*)"')
lookup = re.compile(r'\b(?:LangText|LangFormat)\(\s*L"([^"]*)",\s*L"([^"]*)"')
computed_lookup = re.compile(r"\b(?:LangText|LangFormat)\((?!\s*L\"|\s*const )")
table_name = re.compile(r"^[a-z]+/[A-Za-z0-9_]+$")
words = re.compile(r"[A-Za-zÄÖÜäöüß]{2}")

allowed = set()
allowed_files = set()
for line in (pathlib.Path(__file__).parent / "allowed_literals.txt").read_text(encoding="utf-8").splitlines():
    line = line.rstrip()
    if not line or line.startswith("#"):
        continue
    if line.startswith("file "):
        allowed_files.add(line[5:])
    else:
        allowed.add(line)


def strip_comments(code):
    out, i, n = [], 0, len(code)
    while i < n:
        if code.startswith("//", i):
            end = code.find("\n", i)
            i = n if end < 0 else end
        elif code.startswith("/*", i):
            end = code.find("*/", i)
            i = n if end < 0 else end + 2
        elif code[i] == '"' or (code[i] == "'" and (i == 0 or not code[i - 1].isalnum())):
            quote, j = code[i], i + 1
            while j < n and code[j] != quote:
                j += 2 if code[j] == "\\" else 1
            out.append(code[i:j + 1])
            i = j + 1
        else:
            out.append(code[i])
            i += 1
    return "".join(out)


# Calls that write Corvalink.log: the log is written in English for whoever helps the player,
# so its words are no window's text.
log_call = re.compile(r"\b(?:LogLogin|Log)\(")


def log_spans(code):
    spans = []
    for match in log_call.finditer(code):
        depth, i = 1, match.end()
        while i < len(code) and depth:
            if code[i] == '"':
                i += 1
                while i < len(code) and code[i] != '"':
                    i += 2 if code[i] == "\\" else 1
            elif code[i] == "(":
                depth += 1
            elif code[i] == ")":
                depth -= 1
            i += 1
        spans.append((match.start(), i))
    return spans


used = 0
used_keys = set()
for path in sorted((root / "src").rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    relative = path.relative_to(root).as_posix()
    code = strip_comments(path.read_text(encoding="utf-8"))
    code = "\n".join("" if line.lstrip().startswith("#") else line for line in code.split("\n"))
    keys = set()
    for section, key in lookup.findall(code):
        keys.add((section, key))
    for match in computed_lookup.finditer(code):
        line = code[: match.start()].count("\n") + 1
        if relative != "src/base/lang.cpp":
            problems.append(f"{relative}:{line}: a text looked up by a computed section or key")
    in_log = log_spans(code)
    for match in literal.finditer(code):
        text = match.group(1)
        if any(start <= match.start() < end for start, end in in_log):
            continue
        if table_name.match(text):
            keys.add(tuple(text.split("/")))
            continue
        before = code[max(0, match.start() - 40): match.start()]
        if re.search(r"(?:LangText|LangFormat)\(\s*$", before) or re.search(r"(?:LangText|LangFormat)\(\s*L\"[^\"]*\",\s*$", before):
            continue
        if not words.search(text) or relative in allowed_files or text in allowed:
            continue
        line = code[: match.start()].count("\n") + 1
        problems.append(f"{relative}:{line}: a text for the player outside the language files: \"{text}\"")
    used_keys |= keys
    for section, key in sorted(keys):
        used += 1
        for name, texts in languages.items():
            if key not in texts.get(section, {}):
                problems.append(f"{relative}: [{section}] {key} is not in {name}")

# Every text of the files is shown somewhere: a key nobody looks up is a text nobody sees.
# [general] language names each file's language in the language choice (read by the file list).
for section, keys in german.items():
    for key in keys:
        if (section, key) not in used_keys and (section, key) != ("general", "language"):
            problems.append(f"{german_file.name}: [{section}] {key} is looked up nowhere in src/")

# Within one window or menu no two texts underline the same letter: Alt with that letter (or the
# letter in a menu) would reach only one of them.
mnemonic_groups = {
    "the configuration window": [("config", k) for k in (
        "account", "character", "server", "realm", "client", "add", "change", "autostart", "protect", "save",
        "team_label", "team_save", "team_list", "team_remove", "language", "hotkey", "rename", "start_spacing",
        "at_once", "shortcut", "games_hotkey")],
    "the server window": [("server", k) for k in ("name", "address", "port", "tag", "apply")] + [("general", "remove")],
    "the account window": [("account", k) for k in ("login", "password", "add")] + [("general", "remove")],
    "the client window": [("client", k) for k in ("folder", "name", "add")] + [("general", "remove")],
    "the tray menu": [("tray", k) for k in ("about", "config", "game", "teams", "running", "cancel_run", "quit")],
    "the DAoC submenu": [("tray", k) for k in ("agreement", "conduct")],
    "the running games submenu": [("tray", k) for k in ("remember_places", "forget_places", "games_next",
                                                         "games_previous", "games_minimize", "games_restore",
                                                         "games_close", "games_background")],
    "the wizard's buttons": [("general", k) for k in ("abort", "cntrt", "bcklt", "gtrdy")],
}
for name, texts in languages.items():
    for window, keys in mnemonic_groups.items():
        letters = {}
        for section, key in keys:
            text = texts.get(section, {}).get(key, "").replace("&&", "")
            at = text.find("&")
            if at < 0 or at + 1 >= len(text):
                continue
            letter = text[at + 1].lower()
            if letter in letters:
                problems.append(f"{name}: [{section}] {key} and [{letters[letter][0]}] {letters[letter][1]} both "
                                f"underline “{letter}” in {window}")
            letters[letter] = (section, key)

for problem in problems:
    print(problem)
print(f"{len(languages)} language files, {sum(len(k) for k in german.values())} keys, {used} lookups in src/: "
      f"{'ok' if not problems else f'{len(problems)} problems'}")
sys.exit(1 if problems else 0)
