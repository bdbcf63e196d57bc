#!/usr/bin/perl
# Reads a table with XBase (DBD::XBase) and prints {"live": [...], "deleted": [...]} as JSON.
# With a tag name, prints instead {"tags": [...], "walk": [[key, record], ...]} of the .mdx,
# numeric keys decoded from their packed decimal bytes.
# Usage: read_xbase.pl TABLE CODEPAGE [MDX TAG]
use strict;
use warnings;
use Encode qw(decode);
use JSON::PP;
use XBase;
use XBase::Index;

my ($file, $codepage, $mdx, $tag) = @ARGV;
my $json = JSON::PP->new->ascii->canonical;

sub bcd {
    my ($raw) = @_;
    my @b = unpack('C*', $raw);
    my $exponent = $b[0] - 0x34;
    my $count = ($b[1] >> 2) & 0x1F;
    my $digits = '';
    for my $i (0 .. $count - 1) {
        my $byte = $b[2 + int($i / 2)];
        $digits .= $i % 2 ? ($byte & 0x0F) : ($byte >> 4);
    }
    return 0 if $count == 0 || $digits =~ /^0*$/;
    my $value = ($digits =~ /^(\d+)$/) ? "0.$digits" * (10 ** $exponent) : 0;
    $value = -$value if $b[1] & 0x80;
    return $value + 0;
}

if (defined $tag) {
    my $index = XBase::Index->new($mdx, tag => $tag) or die XBase::Index->errstr;
    my @tags = XBase::Index->new($mdx)->tags;
    $index->prepare_select or die $index->errstr;
    my @walk;
    while (my ($key, $record) = $index->fetch) {
        push @walk, [bcd($key), $record + 0];
    }
    print $json->encode({tags => \@tags, walk => \@walk});
    exit 0;
}

my $table = XBase->new($file) or die XBase->errstr;
my @names = $table->field_names;
my @types = $table->field_types;
my (@live, @deleted);
for my $i (0 .. $table->last_record) {
    my ($isDeleted, @values) = $table->get_record($i);
    die $table->errstr unless defined $isDeleted;
    my %row;
    for my $f (0 .. $#names) {
        my $v = $values[$f];
        $v = '' unless defined $v;
        # Memo text is compared as stored; fixed-width fields lose their padding.
        if ($types[$f] ne 'M') {
            $v =~ s/\s+$//;
            $v =~ s/^\s+//;
        }
        $row{uc $names[$f]} = decode($codepage, $v);
    }
    push @{$isDeleted ? \@deleted : \@live}, \%row;
}
print $json->encode({live => \@live, deleted => \@deleted});
