#!/bin/sh
# Regenerates the im-*.dds fixtures (ImageMagick's DXT1/DXT5 encoder) and im-*.rgba,
# ImageMagick's own decode of them (16x16, R,G,B,A bytes, top row first).
# Run from this folder; needs ImageMagick 6 at /usr/bin/convert.
set -e
C=/usr/bin/convert
D="-define dds:mipmaps=0"
$C -size 16x16 xc:black -channel R -fx "i/15" -channel G -fx "j/15" -channel B -fx "0.15+(15-i)/30" \
   +channel -alpha off -define dds:compression=dxt1 $D im-gradient16-dxt1.dds
$C -size 16x16 xc:black -alpha set -channel R -fx "i/15" -channel G -fx "j/15" -channel B -fx "0.8-i*j/400" \
   -channel A -fx "(i+j)/30" +channel -define dds:compression=dxt5 $D im-gradient16-dxt5.dds
$C -size 16x16 xc:black -alpha set -channel R -fx "i/15" -channel G -fx "0.5" -channel B -fx "j/15" \
   -channel A -fx "((i+j)%5==0)?0:1" +channel -define dds:compression=dxt5 $D im-cutout16-dxt5.dds
for f in im-gradient16-dxt1 im-gradient16-dxt5 im-cutout16-dxt5; do
  $C $f.dds -orient TopLeft -depth 8 rgba:$f.rgba
done
