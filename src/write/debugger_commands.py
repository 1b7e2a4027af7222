
# ---------------------------------------------------------------------------
# Decoding: what the generated macros compute, on 64-bit words.

_WORD = (1 << 64) - 1


class Unavailable(Exception):
    """What a command cannot read from the program, said in one line."""


def _signed(bits):
    bits &= _WORD
    return bits - (1 << 64) if bits >> 63 else bits


def tag_of(word):
    """Tag_Of(w): the tag value that the tag bits of a word stand for."""
    if LAYOUT == "split":
        return ((word >> (67 - TAG_SIZE)) << 3) | (word & 7)
    return word & TAG_MASK


def _value_text(word, kind, form):
    """What UnTag_<TAG>(w) gives: a number in decimal, an address in hex."""
    if form == "unsigned_shift":
        return "%d" % (word >> 3)
    if form == "whole_word":
        return "0x%x" % word
    if kind == "address":
        return "0x%x" % (word & VALUE_MASK)
    if TAG_SIZE < 3:
        return "undefined (UnTag_Long_Int shifts by %d)" % (TAG_SIZE - 3)
    # UnTag_Long_Int: left past the high tag bits, arithmetically right past all.
    return "%d" % (_signed(word << (TAG_SIZE - 3)) >> TAG_SIZE)


def describe(word):
    """A word as wam-word prints it: TAG KIND VALUE."""
    word &= _WORD
    if TAG_SIZE is None:
        return "0x%x (%s has no tags section)" % (word, DESCRIPTION)
    tag = tag_of(word)
    for name, kind, value, _mask, form in TAGS:
        if value == tag:
            return "%s %s %s" % (name, kind, _value_text(word, kind, form))
    return "unknown tag %d 0x%x" % (tag, word)


def _first_bank_slot(program):
    if FILLER_WORDS is not None:
        return FILLER_WORDS
    first = program.evaluate(FILLER)
    if first is None:
        raise Unavailable("the debugger cannot evaluate the filler %s: it needs the macros of a build with -g3"
                          % FILLER)
    return first


def _bank(program):
    if BANK_POINTER_REGISTER is not None:
        return program.register(BANK_POINTER_REGISTER)
    bank = program.evaluate("pl_reg_bank")
    if bank is None:
        raise Unavailable("cannot read pl_reg_bank")
    return bank


def register_lines(program):
    """wam-regs: each register by name, where it lives and its word decoded."""
    if not REGISTERS:
        raise Unavailable("%s has no regs section" % DESCRIPTION)
    rows = []
    first_slot = bank = None
    for name, _type, machine_register, slot in REGISTERS:
        if machine_register is not None:
            rows.append((name, machine_register, program.register(machine_register)))
            continue
        if bank is None:
            first_slot, bank = _first_bank_slot(program), _bank(program)
        rows.append((name, "slot %d" % (first_slot + slot), program.word_at(bank + 8 * (first_slot + slot))))
    name_width = max(len(row[0]) for row in rows)
    where_width = max(len(row[1]) for row in rows)
    return ["%-*s  %-*s  %s" % (name_width, name, where_width, where, describe(word))
            for name, where, word in rows]


def layout_text():
    """wam-layout: the tagged word as pl_config --check prints it."""
    if LAYOUT_REPORT is None:
        raise Unavailable("%s has no tags section" % DESCRIPTION)
    return LAYOUT_REPORT


# ---------------------------------------------------------------------------
# gdb: source this file, or let gdb load it as an objfile's script.

def _gdb_bits(value):
    return int(value) & _WORD


class _GdbProgram:
    """The program as gdb sees it from the selected frame."""

    def evaluate(self, expression):
        try:
            return _gdb_bits(gdb.parse_and_eval(expression))
        except (gdb.error, TypeError, ValueError):
            return None

    def register(self, name):
        try:
            return _gdb_bits(gdb.selected_frame().read_register(name))
        except (gdb.error, ValueError) as error:
            raise Unavailable("cannot read register %s: %s" % (name, error))

    def word_at(self, address):
        try:
            return _gdb_bits(gdb.parse_and_eval("*(unsigned long long *) %#x" % address))
        except gdb.error as error:
            raise Unavailable("cannot read the word at %#x: %s" % (address, error))


def _register_gdb():
    class WamWordPrinter:
        def __init__(self, value):
            self._value = value

        def to_string(self):
            if self._value.is_optimized_out:
                return "<optimized out>"
            return describe(_gdb_bits(self._value))

    class WamWordPrinters(gdb.printing.PrettyPrinter):
        def __init__(self):
            super().__init__("wam")

        def __call__(self, value):
            value_type = value.type.unqualified()
            if value_type.code == gdb.TYPE_CODE_TYPEDEF and value_type.name == "WamWord":
                return WamWordPrinter(value)
            return None

    class Command(gdb.Command):
        def __init__(self, name, run, takes_expression):
            super().__init__(name, gdb.COMMAND_DATA,
                             gdb.COMPLETE_EXPRESSION if takes_expression else gdb.COMPLETE_NONE)
            self._name, self._run = name, run

        def invoke(self, argument, from_tty):
            try:
                gdb.write("".join(line + "\n" for line in self._run(argument)))
            except Unavailable as error:
                raise gdb.GdbError("%s: %s" % (self._name, error))

    def wam_word(argument):
        if not argument.strip():
            raise Unavailable("give an expression")
        try:
            value = gdb.parse_and_eval(argument)
            return [describe(_gdb_bits(value))]
        except (gdb.error, TypeError, ValueError) as error:
            raise Unavailable(str(error))

    gdb.printing.register_pretty_printer(gdb.current_objfile(), WamWordPrinters(), replace=True)
    Command("wam-word", wam_word, True)
    Command("wam-regs", lambda argument: register_lines(_GdbProgram()), False)
    Command("wam-layout", lambda argument: layout_text().splitlines(), False)


# ---------------------------------------------------------------------------
# lldb: command script import this file.

def _lldb_bits(value):
    import lldb
    if value.GetType().GetCanonicalType().GetTypeFlags() & lldb.eTypeIsSigned:
        return value.GetValueAsSigned() & _WORD
    return value.GetValueAsUnsigned()


def _lldb_error_line(error):
    """The line of lldb's message that says what went wrong, macro warnings and all aside."""
    lines = (error.GetCString() or "failed").splitlines() or ["failed"]
    line = next((line for line in lines if line.startswith("error: ")), lines[0])
    return line[len("error: "):] if line.startswith("error: ") else line


class _LldbProgram:
    """The program as lldb sees it from the selected frame."""

    def __init__(self, exe_ctx):
        self._frame, self._target, self._process = exe_ctx.GetFrame(), exe_ctx.GetTarget(), exe_ctx.GetProcess()

    def value(self, expression):
        if self._frame.IsValid():
            return self._frame.EvaluateExpression(expression)
        return self._target.EvaluateExpression(expression)

    def evaluate(self, expression):
        value = self.value(expression)
        if not value.IsValid() or value.GetError().Fail():
            return None
        return _lldb_bits(value)

    def register(self, name):
        value = self._frame.FindRegister(name) if self._frame.IsValid() else None
        if value is None or not value.IsValid():
            raise Unavailable("cannot read register %s: no such register in the selected frame" % name)
        return _lldb_bits(value)

    def word_at(self, address):
        import lldb
        error = lldb.SBError()
        word = self._process.ReadUnsignedFromMemory(address, 8, error)
        if error.Fail():
            raise Unavailable("cannot read the word at %#x: %s" % (address, _lldb_error_line(error)))
        return word


def _lldb_run(name, run, exe_ctx, result):
    try:
        for line in run(_LldbProgram(exe_ctx)):
            result.AppendMessage(line)
    except Unavailable as error:
        result.SetError("%s: %s" % (name, error))


def _lldb_word_lines(program, expression):
    if not expression.strip():
        raise Unavailable("give an expression")
    value = program.value(expression)
    if not value.IsValid() or value.GetError().Fail():
        raise Unavailable(_lldb_error_line(value.GetError()))
    return [describe(_lldb_bits(value))]


def _lldb_wam_word(debugger, command, exe_ctx, result, internal_dict):
    _lldb_run("wam-word", lambda program: _lldb_word_lines(program, command), exe_ctx, result)


def _lldb_wam_regs(debugger, command, exe_ctx, result, internal_dict):
    _lldb_run("wam-regs", register_lines, exe_ctx, result)


def _lldb_wam_layout(debugger, command, exe_ctx, result, internal_dict):
    _lldb_run("wam-layout", lambda program: layout_text().splitlines(), exe_ctx, result)


def _lldb_summary(value, internal_dict):
    return describe(_lldb_bits(value))


def __lldb_init_module(debugger, internal_dict):
    for command, function in (("wam-word", "_lldb_wam_word"), ("wam-regs", "_lldb_wam_regs"),
                              ("wam-layout", "_lldb_wam_layout")):
        debugger.HandleCommand("command script add -o -f %s.%s %s" % (__name__, function, command))
    debugger.HandleCommand("type summary add -v -F %s._lldb_summary WamWord" % __name__)


try:
    import gdb
    import gdb.printing
except ImportError:
    gdb = None
if gdb is not None:
    _register_gdb()
