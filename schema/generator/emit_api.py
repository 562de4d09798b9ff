"""Emits the handles of namespace kyr: a modern face on the generated classes.

Per class: one header under include/kyr/api/classes/ with a class template
basic_C<M> over the generated class M (or const M), and the aliases C (which
may change the object) and CView (which may not). Everything is inline and
forwards to the generated accessors; the conversions, checks and ranges they
share are hand-written in api/include/kyr/api/.
"""

import re

from cpp_names import header_path
from xsd_reader import SchemaError

NAMESPACE = "kyr"
MODEL = "com_kyrandel_v2"

# Words spelled as the rest of the library writes them in prose.
WORDS = {"color": "colour", "colors": "colours"}
# Runs of capitals that are not one word each.
SPELLINGS = {"LCh": "Lch", "DEcmc": "DE_cmc", "CIExyY": "CIE_xyY"}
# Names a member may not take: C++ keywords met in the schema and the handles' own members.
RESERVED = {"default", "double", "int", "bool", "string", "class", "generated", "visit", "chosen",
            "clear", "unsigned", "float", "long", "short", "char", "delete", "new", "this", "operator"}


def words(name):
    """The schema name in lower case with underscores between its words: ColorSpaceCIELab gives
    colour_space_cie_lab. Fit to follow a prefix such as set_."""
    for written, spelled in SPELLINGS.items():
        name = name.replace(written, spelled)
    found = []
    for part in name.split("_"):
        found += re.findall(r"[A-Z]+(?=[A-Z][a-z])|[A-Z]?[a-z]+|[A-Z]+|[0-9]+", part)
    return "_".join(WORDS.get(w.lower(), w.lower()) for w in found)


def snake(name):
    """The same as a name of its own: a keyword or a handle's own member gets an underscore."""
    result = words(name)
    return result + "_" if result in RESERVED else result


def plural(name):
    base = words(name)
    if base.endswith("s"):
        result = base
    elif re.search(r"[^aeiou]y$", base):
        result = base[:-1] + "ies"
    elif re.search(r"(x|ch|sh)$", base):
        result = base + "es"
    else:
        result = base + "s"
    return result + "_" if result in RESERVED else result


def identifier(value):
    name = re.sub(r"[^A-Za-z0-9_]", "_", value)
    if name[0].isdigit():
        name = "_" + name
    return name + "_" if name == "none" else name


def enumerator_names(values):
    seen = set()
    result = []
    for value in values:
        name = identifier(value)
        while name in seen:
            name += "_"
        seen.add(name)
        result.append(name)
    return result


def api_header(cls):
    return "kyr/api/classes/%s.hpp" % cls.name


def doc(text):
    return "    /// " + text


# Value types: (type returned, type taken, expression read from `v`, expression stored from `value`)
def value_io(value):
    kind = value.kind
    if kind == "string":
        return "std::string", "std::string_view", "detail::utf8(%s)", "detail::wide(value)"
    if kind == "datetime":
        return "std::string", "std::string_view", "%s.get_as_string()", "detail::stamp(value)"
    if kind == "binary":
        return "lmx::c_binary", "const lmx::c_binary&", "%s", "value"
    return value.cpp, value.cpp, "%s", "value"


class HandleEmitter:
    def __init__(self, cls):
        self.cls = cls
        self.includes = {header_path(cls)}
        self.enums = []        # lines of the non-template struct
        self.body = []         # lines of the class template
        self.access = []       # access structs of repeated members
        self.names = set()

    def model(self, cls=None):
        return "%s::%s" % (MODEL, (cls or self.cls).name)

    def use(self, other):
        if other is not self.cls:
            self.includes.add(api_header(other))

    def like(self, other):
        return "like<M, %s>" % self.model(other)

    def handle(self, other):
        """The handle on a child: const when this handle is."""
        return "basic_%s<%s>" % (other.name, self.like(other))

    def add(self, declaration, lines, name):
        if name in self.names:
            raise SchemaError("%s: two members would both be called %s" % (self.cls.name, name))
        self.names.add(name)
        # One member group per schema member, headed by its declaration.
        self.body.append(doc("@name %s" % declaration))
        self.body.append(doc("@{"))
        self.body.extend("    " + line for line in lines)
        self.body.append(doc("@}"))

    def also(self, lines):
        self.body.extend("    " + line for line in lines)

    # -- members
    def emit(self):
        cls = self.cls
        if cls.kind == "holder":
            # A holder numbers "none" one past its last member, as the generated class does.
            self.emit_choice([(name, declared, None) for name, declared in cls.holder_members],
                             len(cls.holder_members) + 1)
        elif cls.element_of is None:
            if cls.kind == "simple":
                self.emit_simple()
            if cls.is_compositor():
                self.emit_choice([(m.element, m.cls, m) for m in cls.choice_members], len(cls.choice_members))
            for member in cls.attributes + cls.particles:
                getattr(self, "member_" + self.family(member))(member)
            if cls.nillable:
                self.also(["/// Whether the element is nil (xsi:nil=\"true\").",
                           "bool is_nil() const { return this->m_model->isnil_%s(); }" % cls.name,
                           "/// Makes the element nil.",
                           "void set_nil() const { this->m_model->setnil_%s(); }" % cls.name])
        return self

    def family(self, m):
        if m.kind in ("attribute", "value"):
            return "value_list" if m.repeated else "value"
        if m.kind == "any":
            return "any"
        return "child_list" if m.repeated else "child"

    def enum_type(self, name, values, none_value=0):
        self.enums.append("    /// The allowed values of %s, numbered as the generated class numbers them." % name)
        self.enums.append("    enum class %s" % name)
        self.enums.append("    {")
        self.enums.append("        none = %d, ///< unset, or none of the values below" % none_value)
        for number, enumerator in enumerate(enumerator_names(values), 1):
            self.enums.append("        %s = %d," % (enumerator, number))
        self.enums.append("    };")

    def value_accessors(self, m, getter, model_name, optional):
        out, taken, read, store = value_io(m.value)
        x = snake(getter)
        w = words(getter)
        g = "this->m_model->get_%s()" % model_name
        lines = ["%s %s() const { return %s; }" % (out, x, read % g),
                 "void set_%s(%s value) const" % (w, taken),
                 "{",
                 "    detail::check(this->m_model->set_%s(%s), \"%s\");" % (model_name, store, m.element),
                 "}"]
        if optional:
            lines += ["bool has_%s() const { return this->m_model->isset_%s(); }" % (w, model_name),
                      "void unset_%s() const { this->m_model->unset_%s(); }" % (w, model_name)]
        if m.value.enumerated:
            e = m.name if getter != "value" else "Value"
            self.enum_type(e, m.value.facets.enumeration)
            lines += ["%s %s_enum() const { return static_cast<%s>(this->m_model->getenum_%s()); }"
                      % (e, w, e, model_name),
                      "void set_%s(%s value) const" % (w, e),
                      "{",
                      "    detail::check_enum(this->m_model->setenum_%s(static_cast<typename %s::Eenum_%s>(value)), \"%s\");"
                      % (model_name, self.model(), model_name, m.element),
                      "}"]
        self.add(m.declaration, lines, x)

    def emit_simple(self):
        from model import Member
        member = Member("value", self.cls.name, self.cls.declaration)
        member.value = self.cls.value
        self.value_accessors(member, "value", self.cls.name, False)

    def member_value(self, m):
        optional = (m.kind == "attribute" and not m.required) or (m.kind == "value" and m.min == 0)
        self.value_accessors(m, m.name, m.name, optional)

    def access_struct(self, m, value):
        name = "%s_%s" % (self.cls.name, m.name)
        p = self.model()
        s = ["struct %s" % name, "{"]
        if value:
            s.append("    using value = %s;" % m.value.cpp)
            s.append("    static const value& get(const %s& p, std::size_t i) { return p.get_%s(i); }" % (p, m.name))
            s.append("    static lmx::elmx_error set(%s& p, std::size_t i, const value& v) { return p.set_%s(i, v); }"
                     % (p, m.name))
            s.append("    static lmx::elmx_error append(%s& p, const value& v) { return p.append_%s(v); }"
                     % (p, m.name))
        else:
            t = self.model(m.cls)
            s.append("    using value = %s;" % t)
            s.append("    static const value& get(const %s& p, std::size_t i) { return p.get_%s(i); }" % (p, m.name))
            s.append("    static value& get(%s& p, std::size_t i) { return p.get_%s(i); }" % (p, m.name))
            s.append("    static void append(%s& p) { p.append_%s(); }" % (p, m.name))
        s.append("    static std::size_t size(const %s& p) { return p.size_%s(); }" % (p, m.name))
        s.append("    static void erase(%s& p, std::size_t i) { p.delete_%s(i); }" % (p, m.name))
        s.append("    static void clear(%s& p) { p.clear_%s(); }" % (p, m.name))
        s.append("    static constexpr const char* name = \"%s\";" % m.element)
        s.append("};")
        self.access.extend(s)
        return "access::" + name

    def member_value_list(self, m):
        access = self.access_struct(m, True)
        x = plural(m.name)
        self.add(m.declaration, ["value_list<M, %s> %s() const { return value_list<M, %s>(*this->m_model); }"
                                 % (access, x, access)], x)

    def member_child_list(self, m):
        self.use(m.cls)
        access = self.access_struct(m, False)
        x = plural(m.name)
        r = "child_list<basic_%s, M, %s>" % (m.cls.name, access)
        self.add(m.declaration, ["%s %s() const { return %s(*this->m_model); }" % (r, x, r)], x)

    def member_child(self, m):
        self.use(m.cls)
        x = snake(m.name)
        h = self.handle(m.cls)
        if not m.optional:
            self.add(m.declaration, ["%s %s() const { return %s(this->m_model->get_%s()); }" % (h, x, h, m.name)], x)
            return
        self.add(m.declaration, [
            "std::optional<%s> %s() const" % (h, x),
            "{",
            "    if (!this->m_model->isset_%s())" % m.name,
            "        return std::nullopt;",
            "    return %s(const_cast<%s&>(std::as_const(*this->m_model).get_%s()));" % (h, self.like(m.cls), m.name),
            "}",
            "%s emplace_%s() const { return %s(this->m_model->get_%s()); }" % (h, words(m.name), h, m.name),
            "bool has_%s() const { return this->m_model->isset_%s(); }" % (words(m.name), m.name),
            "void unset_%s() const { this->m_model->unset_%s(); }" % (words(m.name), m.name)], x)

    def member_any(self, m):
        self.add(m.declaration, ["std::size_t any_count() const { return this->m_model->size_any(); }"], "any_count")

    # -- choices and substitution groups
    def emit_choice(self, members, none):
        names = [element for element, _, _ in members]
        self.enums.append("    /// The members that may be chosen, numbered as the generated class numbers them.")
        self.enums.append("    enum class Member")
        self.enums.append("    {")
        for number, name in enumerate(names):
            self.enums.append("        %s = %d," % (name, number))
        self.enums.append("        none = %d ///< no member chosen" % none)
        self.enums.append("    };")
        self.also(["/// The member chosen, or Member::none.",
                   "Member chosen() const { return static_cast<Member>(this->m_model->getchosen()); }",
                   "/// Leaves no member chosen.",
                   "void clear() const { this->m_model->release_choice(); }"])
        visit = ["/// Calls f with the chosen member (std::monostate when none is) and returns its result.",
                 "template <class F>", "decltype(auto) visit(F&& f) const", "{",
                 "    switch (this->m_model->getchosen()) {"]
        for element, declared, member in members:
            x = words(element)
            # as_x() points into the document, x() is the member through this layer; both leave
            # the choice as it is.
            own = snake(element)
            if own in self.names or own == "as_" + x:
                raise SchemaError("%s: two members would both be called %s" % (self.cls.name, own))
            self.names.add(own)
            enumerator = "%s::ec_%s" % (self.model(), element)
            is_chosen = "this->m_model->getchosen() == %s" % enumerator
            declaration = member.declaration if member else '<xs:element ref="%s"/>' % element
            get = "std::as_const(*this->m_model).get_%s()" % element
            if member is not None and member.kind == "value":
                out, taken, read, store = value_io(member.value)
                self.add(declaration, [
                    "/// The stored value, or null unless %s is chosen." % element,
                    "const auto* as_%s() const" % x,
                    "{",
                    "    using stored = std::remove_reference_t<decltype(%s)>;" % get,
                    "    return %s ? &%s : static_cast<stored*>(nullptr);" % (is_chosen, get),
                    "}",
                    "/// The value, or nothing unless %s is chosen." % element,
                    "std::optional<%s> %s() const" % (out, own),
                    "{",
                    "    if (%s)" % is_chosen,
                    "        return %s;" % (read % ("this->m_model->get_%s()" % element)),
                    "    return std::nullopt;",
                    "}",
                    "void set_%s(%s value) const" % (x, taken),
                    "{",
                    "    detail::check(this->m_model->set_%s(%s), \"%s\");" % (element, store, element),
                    "}"], "as_" + x)
            else:
                self.use(declared)
                h = self.handle(declared)
                self.add(declaration, [
                    "/// The generated object, or null unless %s is chosen." % element,
                    "const %s* as_%s() const" % (self.model(declared), x),
                    "{",
                    "    return %s ? &%s : nullptr;" % (is_chosen, get),
                    "}",
                    "/// A handle on the member, or nothing unless %s is chosen." % element,
                    "std::optional<%s> %s() const" % (h, own),
                    "{",
                    "    if (!(%s))" % is_chosen,
                    "        return std::nullopt;",
                    "    return %s(const_cast<%s&>(%s));" % (h, self.like(declared), get),
                    "}",
                    # Through assign_ and the const get_: a plain choice class has no other getter.
                    # The fresh member's type is spelt dependent on M, so that it need be complete
                    # only where the handle is used (clang checks a non-dependent one at once).
                    "/// Chooses %s (a default one unless it is chosen already) and returns it." % element,
                    "%s choose_%s() const" % (h, x),
                    "{",
                    "    if (!(%s))" % is_chosen,
                    "        this->m_model->assign_%s(std::remove_const_t<%s>());" % (element, self.like(declared)),
                    "    return %s(const_cast<%s&>(%s));" % (h, self.like(declared), get),
                    "}"],
                    "as_" + x)
            visit.append("    case %s:" % enumerator)
            visit.append("        return f(*%s());" % own)
        visit += ["    default:", "        return f(std::monostate{});", "    }", "}"]
        self.also(visit)

    # -- output
    def header(self, banner_text):
        cls = self.cls
        name = cls.name
        guard = "KYR_API_CLASSES_%s_HPP" % name.upper()
        base = cls.base if cls.base is not None and cls.kind != "holder" else None
        # The base comes first; the handles of children follow the class, so that classes that
        # refer to one another (a colour space and its parent colour space) include each other.
        first = ["kyr/api/forward.hpp", "kyr/api/handle.hpp", header_path(cls)]
        if base is not None:
            first.append(api_header(base))
            self.includes.discard(api_header(base))
        out = [banner_text.rstrip("\n"), "#ifndef " + guard, "#define " + guard, ""]
        out.extend("#include <%s>" % i for i in first)
        out += ["", "namespace %s {" % NAMESPACE, ""]
        if self.access:
            out += ["namespace access {", ""] + self.access + ["", "} // namespace access", ""]
        parents = ["handle<M>" if base is None else "basic_%s<M>" % base.name]
        if self.enums:
            out += ["/// Enumerations of %s." % name, "struct %s_enums" % name, "{"] + self.enums + ["};", ""]
            parents.append("%s_enums" % name)
        out.append("/// `%s`" % cls.declaration)
        out.append("///")
        out.append("/// A handle on a %s::%s; `basic_%s<const %s::%s>` only reads it." % (MODEL, name, name, MODEL, name))
        out.append("template <class M>")
        out.append("class basic_%s : %s" % (name, ", ".join("public " + p for p in parents)))
        out.append("{")
        out.append("public:")
        out.append("    /// A handle on `object`, which must outlive it.")
        out.append("    explicit basic_%s(M& object) : %s(object) {}" % (name, parents[0]))
        out.append("    /// A read-only handle on the object another handle changes.")
        out.append("    template <class N, class = std::enable_if_t<std::is_same_v<const N, M>>>")
        out.append("    basic_%s(const basic_%s<N>& other) : %s(other.generated()) {}" % (name, name, parents[0]))
        if self.body:
            out.append("")
        out.extend(self.body)
        out += ["};", "",
                "/// A handle that may change a %s::%s." % (MODEL, name),
                "using %s = basic_%s<%s::%s>;" % (name, name, MODEL, name),
                "/// A handle that only reads a %s::%s." % (MODEL, name),
                "using %sView = basic_%s<const %s::%s>;" % (name, name, MODEL, name), "",
                "} // namespace %s" % NAMESPACE, ""]
        if self.includes - {header_path(cls)}:
            out.extend("#include <%s>" % i for i in sorted(self.includes - {header_path(cls)}))
            out.append("")
        if cls.document:
            out += ["namespace %s {" % NAMESPACE, ""] + document_class(self, name) + ["} // namespace %s" % NAMESPACE, ""]
        out += ["#endif", ""]
        return "\n".join(out)


def document_class(emitter, name):
    """The owning class of the document element: its members forward to a handle on it."""
    model = "%s::%s" % (MODEL, name)
    out = ["/// A whole document, owning its %s. Copies are deep; a moved-from document is empty." % model,
           "class Document",
           "{",
           "public:",
           "    /// An empty document (the read stamp of the generated class is already in its header).",
           "    Document() = default;",
           "    Document(const Document&) = default;",
           "    Document& operator=(const Document&) = default;",
           "    Document(Document&& other) { m_document.swap(other.m_document); }",
           "    Document& operator=(Document&& other)",
           "    {",
           "        %s fresh;" % model,
           "        fresh.swap(other.m_document);",
           "        m_document.swap(fresh);",
           "        return *this;",
           "    }",
           "",
           "    /// A handle on the document element.",
           "    %s root() { return %s(m_document); }" % (name, name),
           "    /// A read-only handle on the document element.",
           "    %sView root() const { return %sView(m_document); }" % (name, name),
           "    /// The generated object, for the calls only the generated interface has.",
           "    %s& generated() { return m_document; }" % model,
           "    /// The generated object, read-only.",
           "    const %s& generated() const { return m_document; }" % model,
           ""]
    for member in emitter.cls.particles:
        x = plural(member.name) if member.repeated else snake(member.name)
        out.append("    /// `%s`" % member.declaration)
        out.append("    auto %s() { return root().%s(); }" % (x, x))
        out.append("    /// `%s`" % member.declaration)
        out.append("    auto %s() const { return root().%s(); }" % (x, x))
    out += ["", "private:", "    %s m_document;" % model, "};", ""]
    return out


def emit(schema, schema_name, banner_text):
    files = {}
    for cls in schema.classes:
        files["include/" + api_header(cls)] = HandleEmitter(cls).emit().header(banner_text)
    umbrella = [banner_text.rstrip("\n"), "// A handle for every class of the format's schema.",
                "#ifndef KYR_API_CLASSES_HPP", "#define KYR_API_CLASSES_HPP", ""]
    umbrella.extend("#include <%s>" % api_header(cls) for cls in schema.classes)
    umbrella += ["", "#endif", ""]
    files["include/kyr/api/classes.hpp"] = "\n".join(umbrella)
    forward = [banner_text.rstrip("\n"), "// The handle templates, declared before any is defined.",
               "#ifndef KYR_API_FORWARD_HPP", "#define KYR_API_FORWARD_HPP", "", "namespace %s {" % NAMESPACE, ""]
    forward.extend("template <class M>\nclass basic_%s;" % cls.name for cls in schema.classes)
    forward += ["", "} // namespace %s" % NAMESPACE, "", "#endif", ""]
    files["include/kyr/api/forward.hpp"] = "\n".join(forward)
    return files
