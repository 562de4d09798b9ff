# Doxygen input filter: the generated classes open each class and member with the schema
# declaration it comes from as a plain comment; this makes that comment its documentation,
# as a code span so that the XML inside is shown and not read as markup.
s|^\( *\)// \(<xs:.*\)$|\1/// `\2`|
