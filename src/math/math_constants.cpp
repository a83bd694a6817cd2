// SPDX-License-Identifier: MIT
// Written by tools/math/make_math_constants.c with MPFR; do not edit by hand.
// clang-format off
#include "math/math_constants.h"

namespace gte::math {

std::uint32_t const kTwoOverPiFraction[kTwoOverPiLimbCount] = {
    0xa2f9836eu, 0x4e441529u, 0xfc2757d1u, 0xf534ddc0u, 0xdb629599u, 0x3c439041u,
    0xfe5163abu, 0xdebbc561u, 0xb7246e3au, 0x424dd2e0u, 0x06492eeau, 0x09d1921cu,
    0xfe1deb1cu, 0xb129a73eu, 0xe88235f5u, 0x2ebb4484u, 0xe99c7026u, 0xb45f7e41u,
    0x3991d639u, 0x835339f4u, 0x9c845f8bu, 0xbdf9283bu, 0x1ff897ffu, 0xde05980fu,
    0xef2f118bu, 0x5a0a6d1fu, 0x6d367ecfu, 0x27cb09b7u, 0x4f463f66u, 0x9e5fea2du,
    0x7527bac7u, 0xebe5f17bu, 0x3d0739f7u, 0x8a5292eau, 0x6bfb5fb1u, 0x1f8d5d08u,
    0x56033046u, 0xfc7b6babu, 0xf0cfbc20u, 0x9af4361du, 0xa9e39161u, 0x5ee61b08u,
    0x6599855fu, 0x14a06840u, 0x8dffd880u, 0x4d732731u, 0x06061556u, 0xca73a8c9u,
    0x60e27bc0u, 0x8c6b47c4u, 0x19c367cdu, 0xdce8092au, 0x8359c476u, 0x8b961ca6u,
    0xddaf44d1u, 0x5719053eu, 0xa5ff0705u, 0x3f7e33e8u, 0x32c2de4fu, 0x98327dbbu,
    0xc33d26efu, 0x6b1e5ef8u, 0x9f3a1f35u, 0xcaf27f1du, 0x87f12190u, 0x7c7c246au,
    0xfa6ed577u, 0x2d30433bu, 0x15c614b5u, 0x9d19c3c2u, 0xc4ad414du, 0x2c5d000cu,
    0x467d862du, 0x71e39ac6u, 0x9b006233u, 0x7cd2b497u, 0xa7b4d555u, 0x37f63ed7u,
    0x1810a3fcu, 0x764d2a9du,
};

std::uint32_t const kPiLimbs[kPiLimbCount] = {
    0x00000003u, 0x243f6a88u, 0x85a308d3u, 0x13198a2eu, 0x03707344u, 0xa4093822u,
    0x299f31d0u, 0x082efa98u, 0xec4e6c89u, 0x452821e6u, 0x38d01377u, 0xbe5466cfu,
    0x34e90c6cu, 0xc0ac29b7u, 0xc97c50ddu, 0x3f84d5b5u, 0xb5470917u, 0x9216d5d9u,
    0x8979fb1bu, 0xd1310ba6u, 0x98dfb5acu, 0x2ffd72dbu, 0xd01adfb7u, 0xb8e1afedu,
    0x6a267e96u, 0xba7c9045u, 0xf12c7f99u, 0x24a19947u, 0xb3916cf7u, 0x0801f2e2u,
    0x858efc16u, 0x636920d8u, 0x71574e69u, 0xa458fea3u, 0xf4933d7eu, 0x0d95748fu,
    0x728eb658u, 0x718bcd58u, 0x82154aeeu, 0x7b54a41du, 0xc25a59b5u,
};

double const kCodyWaitePiOver512[4] = {0x1.921fb58p-8, -0x1.dde974p-35, 0x1.1a6263p-62, 0x1.8a2e03707344ap-89};

DoubleDouble const kSinCosTable[kQuarterTurnSteps][2] = {
    {
        {0x0p+0, 0x0p+0},
        {0x1p+0, 0x0p+0},
    },
    {
        {0x1.921f0fe670071p-8, 0x1.ab967fe6b7a9bp-64},
        {0x1.fffd8858e8a92p-1, 0x1.359c71883bcf7p-55},
    },
    {
        {0x1.921d1fcdec784p-7, 0x1.9878ebe836d9dp-61},
        {0x1.fff62169b92dbp-1, 0x1.5dda3c81fbd0dp-55},
    },
    {
        {0x1.2d936bbe30efdp-6, 0x1.b5f91ee371d64p-61},
        {0x1.ffe9cb44b51a1p-1, 0x1.5b43366df667p-56},
    },
    {
        {0x1.92155f7a3667ep-6, -0x1.b1d63091a013p-64},
        {0x1.ffd886084cd0dp-1, -0x1.1354d4556e4cbp-55},
    },
    {
        {0x1.f693731d1cf01p-6, -0x1.3fe9bc66286c7p-66},
        {0x1.ffc251df1d3f8p-1, 0x1.7a7d209f32d43p-56},
    },
    {
        {0x1.2d865759455cdp-5, 0x1.686f65ba93acp-61},
        {0x1.ffa72effef75dp-1, -0x1.8b4cdcdb25956p-55},
    },
    {
        {0x1.5fc00d290cd43p-5, 0x1.a2669a693a8e1p-59},
        {0x1.ff871dadb81dfp-1, 0x1.8b1c676208aa4p-56},
    },
    {
        {0x1.91f65f10dd814p-5, -0x1.912bd0d569a9p-61},
        {0x1.ff621e3796d7ep-1, -0x1.c57bc2e24aa15p-57},
    },
    {
        {0x1.c428d12c0d7e3p-5, -0x1.89bc74b58c513p-60},
        {0x1.ff3830f8d575cp-1, -0x1.95e1e79d335f7p-56},
    },
    {
        {0x1.f656e79f820ep-5, -0x1.2e1ebe392bffep-61},
        {0x1.ff095658e71adp-1, 0x1.01a8ce18a4b9ep-55},
    },
    {
        {0x1.1440134d709b3p-4, -0x1.fec446daea6adp-58},
        {0x1.fed58ecb673c4p-1, -0x1.e6e462a7ae686p-56},
    },
    {
        {0x1.2d52092ce19f6p-4, -0x1.9a088a8bf6b2cp-59},
        {0x1.fe9cdad01883ap-1, 0x1.521ecd0c67e35p-57},
    },
    {
        {0x1.4661179272096p-4, -0x1.4b109f2406c4cp-58},
        {0x1.fe5f3af2e394p-1, 0x1.b213f18c9cf17p-55},
    },
    {
        {0x1.5f6d00a9aa419p-4, -0x1.f4022d03f6c9ap-59},
        {0x1.fe1cafcbd5b09p-1, 0x1.a23e3202a884ep-57},
    },
    {
        {0x1.787586a5d5b21p-4, 0x1.5f7589f083399p-58},
        {0x1.fdd539ff1f456p-1, -0x1.ab13cbbec1781p-56},
    },
    {
        {0x1.917a6bc29b42cp-4, -0x1.e2718d26ed688p-60},
        {0x1.fd88da3d12526p-1, -0x1.87df6378811c7p-55},
    },
    {
        {0x1.aa7b724495c03p-4, 0x1.e5399ba0967b8p-58},
        {0x1.fd37914220b84p-1, 0x1.52e9d7b772791p-55},
    },
    {
        {0x1.c3785c79ec2d5p-4, -0x1.4f39df133fb21p-61},
        {0x1.fce15fd6da67bp-1, -0x1.5dd6f830d4c09p-56},
    },
    {
        {0x1.dc70ecbae9fc9p-4, 0x1.2fda2d73295eep-60},
        {0x1.fc8646cfeb721p-1, 0x1.3143dc43a9b9dp-55},
    },
    {
        {0x1.f564e56a9730ep-4, 0x1.a2704729ae56dp-59},
        {0x1.fc26470e19fd3p-1, 0x1.1ec8668ecaceep-55},
    },
    {
        {0x1.072a047ba831dp-3, 0x1.19db1f70118cap-58},
        {0x1.fbc1617e44186p-1, -0x1.58ec496dc4ecbp-59},
    },
    {
        {0x1.139f0cedaf577p-3, -0x1.523434d1b3cfap-57},
        {0x1.fb5797195d741p-1, 0x1.1bfac7397cc08p-56},
    },
    {
        {0x1.20116d4ec7bcfp-3, -0x1.242c8e1053452p-57},
        {0x1.fae8e8e46cfbbp-1, -0x1.3a9e414732d97p-56},
    },
    {
        {0x1.2c8106e8e613ap-3, 0x1.13000a89a11ep-58},
        {0x1.fa7557f08a517p-1, -0x1.7a0a8ca13571fp-55},
    },
    {
        {0x1.38edbb0cd8d14p-3, -0x1.198c21fbf7718p-57},
        {0x1.f9fce55adb2c8p-1, 0x1.f2a06fab9f9d1p-56},
    },
    {
        {0x1.45576b1293e5ap-3, -0x1.285a24119f7b1p-58},
        {0x1.f97f924c9099bp-1, -0x1.e2ae0eea5963bp-55},
    },
    {
        {0x1.51bdf8597c5f2p-3, -0x1.9f9976af04aa5p-61},
        {0x1.f8fd5ffae41dbp-1, -0x1.8cfd77fd970d2p-56},
    },
    {
        {0x1.5e214448b3fc6p-3, 0x1.531ff779ddac6p-57},
        {0x1.f8764fa714ba9p-1, 0x1.ab256778ffcb6p-56},
    },
    {
        {0x1.6a81304f64ab2p-3, 0x1.f0cd73fb5d8d4p-58},
        {0x1.f7ea629e63d6ep-1, 0x1.ba92d57ebfeddp-55},
    },
    {
        {0x1.76dd9de50bf31p-3, 0x1.1d5eeec501b2fp-57},
        {0x1.f7599a3a12077p-1, 0x1.84f31d743195cp-55},
    },
    {
        {0x1.83366e89c64c6p-3, -0x1.192952df10db8p-57},
        {0x1.f6c3f7df5bbb7p-1, 0x1.8561ce9d5ef5bp-56},
    },
    {
        {0x1.8f8b83c69a60bp-3, -0x1.26d19b9ff8d82p-57},
        {0x1.f6297cff75cbp-1, 0x1.562172a361fd3p-56},
    },
    {
        {0x1.9bdcbf2dc4366p-3, 0x1.9632d189956fep-57},
        {0x1.f58a2b1789e84p-1, 0x1.1f4a188aa368p-56},
    },
    {
        {0x1.a82a025b00451p-3, -0x1.87905ffd084adp-57},
        {0x1.f4e603b0b2f2dp-1, -0x1.8ee01e695ac05p-56},
    },
    {
        {0x1.b4732ef3d6722p-3, 0x1.bbe5d5d75cbd8p-57},
        {0x1.f43d085ff92ddp-1, -0x1.8fde71e361c05p-55},
    },
    {
        {0x1.c0b826a7e4f63p-3, -0x1.af1439e521935p-62},
        {0x1.f38f3ac64e589p-1, -0x1.d7bafb51f72e6p-56},
    },
    {
        {0x1.ccf8cb312b286p-3, 0x1.2382b0aecadf8p-58},
        {0x1.f2dc9c9089a9dp-1, 0x1.5407460bdfc07p-59},
    },
    {
        {0x1.d934fe5454311p-3, 0x1.75b92277107adp-57},
        {0x1.f2252f7763adap-1, -0x1.20cb81c8d94abp-55},
    },
    {
        {0x1.e56ca1e101a1bp-3, 0x1.46ac3f9fd0227p-57},
        {0x1.f168f53f7205dp-1, -0x1.26a6c1f015601p-57},
    },
    {
        {0x1.f19f97b215f1bp-3, -0x1.42deef11da2c4p-57},
        {0x1.f0a7efb9230d7p-1, 0x1.52c7adc6b4989p-56},
    },
    {
        {0x1.fdcdc1adfedf9p-3, -0x1.2dba4580ed7bbp-57},
        {0x1.efe220c0b95ecp-1, 0x1.c853b7bf7e0cdp-55},
    },
    {
        {0x1.04fb80e37fdaep-2, -0x1.412cdb72583ccp-63},
        {0x1.ef178a3e473c2p-1, 0x1.6310a67fe774fp-55},
    },
    {
        {0x1.0b0d9cfdbdb9p-2, 0x1.3b3a7b8d1200dp-58},
        {0x1.ee482e25a9dbcp-1, -0x1.b6066ef81af2ap-56},
    },
    {
        {0x1.111d262b1f677p-2, 0x1.824c20ab7aa9ap-56},
        {0x1.ed740e7684963p-1, 0x1.e82c791f59cc2p-56},
    },
    {
        {0x1.172a0d7765177p-2, 0x1.22575f33366bep-57},
        {0x1.ec9b2d3c3bf84p-1, 0x1.19119d358de05p-56},
    },
    {
        {0x1.1d3443f4cdb3ep-2, -0x1.720d41c13519ep-57},
        {0x1.ebbd8c8df0b74p-1, 0x1.c6c8c615e7277p-56},
    },
    {
        {0x1.233bbabc3bb71p-2, 0x1.99b04e23259efp-56},
        {0x1.eadb2e8e7a88ep-1, -0x1.92ec52ea226a3p-55},
    },
    {
        {0x1.294062ed59f06p-2, -0x1.5d28da2c4612dp-56},
        {0x1.e9f4156c62ddap-1, 0x1.760b1e2e3f81ep-55},
    },
    {
        {0x1.2f422daec0387p-2, -0x1.7501ba473da6fp-56},
        {0x1.e9084361df7f2p-1, 0x1.cdfc7ce9dc3e9p-55},
    },
    {
        {0x1.35410c2e18152p-2, -0x1.3cb002f96e062p-56},
        {0x1.e817bab4cd10dp-1, -0x1.d0afe686b5e0ap-56},
    },
    {
        {0x1.3b3cefa0414b7p-2, 0x1.f36dc4a9c2294p-56},
        {0x1.e7227db6a9744p-1, 0x1.2128794da5a5p-55},
    },
    {
        {0x1.4135c94176601p-2, 0x1.0c97c4afa2518p-56},
        {0x1.e6288ec48e112p-1, -0x1.16b56f2847754p-57},
    },
    {
        {0x1.472b8a5571054p-2, -0x1.01ea0fe4dff23p-56},
        {0x1.e529f04729ffcp-1, 0x1.9075d6e6dfc8bp-55},
    },
    {
        {0x1.4d1e24278e76ap-2, 0x1.2417218792858p-57},
        {0x1.e426a4b2bc17ep-1, 0x1.a873889744882p-55},
    },
    {
        {0x1.530d880af3c24p-2, -0x1.fab8e2103fbd6p-56},
        {0x1.e31eae870ce25p-1, -0x1.bc7094538d678p-56},
    },
    {
        {0x1.58f9a75ab1fddp-2, -0x1.efdc0d58cf62p-62},
        {0x1.e212104f686e5p-1, -0x1.014c76c126527p-55},
    },
    {
        {0x1.5ee27379ea693p-2, 0x1.634ff2fa75245p-56},
        {0x1.e100cca2980acp-1, -0x1.02d182acdf825p-57},
    },
    {
        {0x1.64c7ddd3f27c6p-2, 0x1.10d2b4a664121p-58},
        {0x1.dfeae622dbe2bp-1, -0x1.514ea88425567p-55},
    },
    {
        {0x1.6aa9d7dc77e17p-2, -0x1.38b470592c7b3p-56},
        {0x1.ded05f7de47dap-1, -0x1.2cc4c1f8ba966p-55},
    },
    {
        {0x1.7088530fa459fp-2, -0x1.44b19e0864c5dp-56},
        {0x1.ddb13b6ccc23cp-1, 0x1.83c37c6107db3p-55},
    },
    {
        {0x1.766340f2418f6p-2, 0x1.2b2adc9041b2cp-56},
        {0x1.dc8d7cb41026p-1, 0x1.6b7872773830dp-56},
    },
    {
        {0x1.7c3a9311dcce7p-2, 0x1.9a3f21ef3e8d9p-62},
        {0x1.db6526238a09bp-1, -0x1.adee7eae6946p-56},
    },
    {
        {0x1.820e3b04eaac4p-2, -0x1.92379eb01c6b6p-59},
        {0x1.da383a9668988p-1, -0x1.5811000b39d84p-55},
    },
    {
        {0x1.87de2a6aea963p-2, -0x1.72cedd3d5a61p-57},
        {0x1.d906bcf328d46p-1, 0x1.457e610231ac2p-56},
    },
    {
        {0x1.8daa52ec8a4bp-2, -0x1.72eb2db8c621ep-57},
        {0x1.d7d0b02b8ecf9p-1, 0x1.800f4ce65cd6ep-55},
    },
    {
        {0x1.9372a63bc93d7p-2, 0x1.684319e5ad5b1p-57},
        {0x1.d696173c9e68bp-1, -0x1.e8c61c6393d55p-56},
    },
    {
        {0x1.993716141bdffp-2, -0x1.15e8cce261c55p-56},
        {0x1.d556f52e93eb1p-1, -0x1.80ed9233a963p-55},
    },
    {
        {0x1.9ef7943a8ed8ap-2, 0x1.6da81290bdbabp-57},
        {0x1.d4134d14dc93ap-1, -0x1.4ef5295d25af2p-55},
    },
    {
        {0x1.a4b4127dea1e5p-2, -0x1.bec6f01bc22f1p-56},
        {0x1.d2cb220e0ef9fp-1, -0x1.f07656d4e6652p-56},
    },
    {
        {0x1.aa6c82b6d3fcap-2, -0x1.d5f106ee5ccf7p-56},
        {0x1.d17e7743e35dcp-1, -0x1.101da3540130ap-58},
    },
    {
        {0x1.b020d6c7f4009p-2, 0x1.414ae7e555208p-58},
        {0x1.d02d4feb2bd92p-1, 0x1.195ff41bc55fep-55},
    },
    {
        {0x1.b5d1009e15ccp-2, 0x1.5b362cb974183p-57},
        {0x1.ced7af43cc773p-1, -0x1.e7b6bb5ab58aep-58},
    },
    {
        {0x1.bb7cf2304bd01p-2, 0x1.9e1a5bd9269d4p-57},
        {0x1.cd7d9898b32f6p-1, -0x1.f2fa062496738p-57},
    },
    {
        {0x1.c1249d8011ee7p-2, -0x1.813aabb515206p-56},
        {0x1.cc1f0f3fcfc5cp-1, 0x1.e57613b68f6abp-56},
    },
    {
        {0x1.c6c7f4997000bp-2, -0x1.bec2669c68e74p-56},
        {0x1.cabc169a0b9p-1, 0x1.c42d3e10851d1p-55},
    },
    {
        {0x1.cc66e9931c45ep-2, 0x1.6850e59c37f8fp-58},
        {0x1.c954b213411f5p-1, -0x1.2fb761e946603p-58},
    },
    {
        {0x1.d2016e8e9db5bp-2, -0x1.c8bce9d93efb8p-57},
        {0x1.c7e8e52233cf3p-1, 0x1.b2ad324aa35c1p-57},
    },
    {
        {0x1.d79775b86e389p-2, 0x1.550ec87bc0575p-56},
        {0x1.c678b3488739bp-1, 0x1.d86cac7c5ff5bp-57},
    },
    {
        {0x1.dd28f1481cc58p-2, -0x1.e7576fa6c944ep-59},
        {0x1.c5042012b6907p-1, -0x1.5c058dd8eaba5p-57},
    },
    {
        {0x1.e2b5d3806f63bp-2, 0x1.e0d891d3c6841p-58},
        {0x1.c38b2f180bdb1p-1, -0x1.6e0b1757c8d07p-56},
    },
    {
        {0x1.e83e0eaf85114p-2, -0x1.7bc380ef24ba7p-57},
        {0x1.c20de3fa971bp-1, -0x1.b4ca2bab1322cp-55},
    },
    {
        {0x1.edc1952ef78d6p-2, -0x1.dd0f7c33edee6p-56},
        {0x1.c08c426725549p-1, 0x1.b157fd80e2946p-58},
    },
    {
        {0x1.f3405963fd067p-2, 0x1.06846d44a238fp-56},
        {0x1.bf064e15377ddp-1, 0x1.2156026a1e028p-57},
    },
    {
        {0x1.f8ba4dbf89abap-2, -0x1.2ec1fc1b776b8p-60},
        {0x1.bd7c0ac6f952ap-1, -0x1.825a732ac700ap-55},
    },
    {
        {0x1.fe2f64be7121p-2, -0x1.297ab1ca2d7dbp-56},
        {0x1.bbed7c49380eap-1, 0x1.beacbd88500b4p-59},
    },
    {
        {0x1.01cfc874c3eb7p-1, -0x1.34a35e7c2368cp-56},
        {0x1.ba5aa673590d2p-1, 0x1.7ea4e370753b6p-55},
    },
    {
        {0x1.0485626ae221ap-1, 0x1.b937d9091ff7p-55},
        {0x1.b8c38d27504e9p-1, -0x1.1529abff40e45p-55},
    },
    {
        {0x1.073879922ffeep-1, -0x1.a5a014347406cp-55},
        {0x1.b728345196e3ep-1, -0x1.bc69f324e6d61p-55},
    },
    {
        {0x1.09e907417c5e1p-1, -0x1.fe573741a9bd4p-55},
        {0x1.b5889fe921405p-1, -0x1.df49b307c8602p-57},
    },
    {
        {0x1.0c9704d5d898fp-1, -0x1.8d3d7de6ee9b2p-55},
        {0x1.b3e4d3ef55712p-1, -0x1.eb6b8bf11a493p-55},
    },
    {
        {0x1.0f426bb2a8e7ep-1, -0x1.bb58fb774f8eep-55},
        {0x1.b23cd470013b4p-1, 0x1.5a1bb35ad6d2ep-56},
    },
    {
        {0x1.11eb3541b4b23p-1, -0x1.ef23b69abe4f1p-55},
        {0x1.b090a581502p-1, -0x1.926da300ffccep-55},
    },
    {
        {0x1.14915af336cebp-1, 0x1.f3660558a0213p-56},
        {0x1.aee04b43c1474p-1, -0x1.3a79a438bf8ccp-55},
    },
    {
        {0x1.1734d63dedb49p-1, -0x1.7eef2ccc50575p-55},
        {0x1.ad2bc9e21d511p-1, -0x1.47fbe07bea548p-55},
    },
    {
        {0x1.19d5a09f2b9b8p-1, -0x1.33656c68a1d4ap-57},
        {0x1.ab7325916c0d4p-1, 0x1.a8b8c85baaa9bp-55},
    },
    {
        {0x1.1c73b39ae68c8p-1, 0x1.b25dd267f66p-55},
        {0x1.a9b66290ea1a3p-1, 0x1.9f630e8b6dac8p-60},
    },
    {
        {0x1.1f0f08bbc861bp-1, -0x1.10d9dcafb74cbp-57},
        {0x1.a7f58529fe69dp-1, -0x1.97a441584a179p-55},
    },
    {
        {0x1.21a799933eb59p-1, -0x1.3a7b177c68fb2p-55},
        {0x1.a63091b02fae2p-1, -0x1.e911152248d1p-56},
    },
    {
        {0x1.243d5fb98ac1fp-1, 0x1.c533d0a284a8dp-56},
        {0x1.a4678c8119ac8p-1, 0x1.1b4c0dd3f212ap-55},
    },
    {
        {0x1.26d054cdd12dfp-1, -0x1.5da743ef3770cp-55},
        {0x1.a29a7a0462782p-1, -0x1.128bb015df175p-56},
    },
    {
        {0x1.2960727629ca8p-1, 0x1.56d6c7af02d5cp-56},
        {0x1.a0c95eabaf937p-1, -0x1.e0ca3acbd049ap-55},
    },
    {
        {0x1.2bedb25faf3eap-1, -0x1.14981c796ee46p-58},
        {0x1.9ef43ef29af94p-1, 0x1.b1dfcb60445c2p-56},
    },
    {
        {0x1.2e780e3e8ea17p-1, -0x1.b19fafe36587ap-55},
        {0x1.9d1b1f5ea80d5p-1, 0x1.c5fadd5ffb36fp-55},
    },
    {
        {0x1.30ff7fce17035p-1, -0x1.efcc626f74a6fp-57},
        {0x1.9b3e047f38741p-1, -0x1.30ee286712474p-55},
    },
    {
        {0x1.338400d0c8e57p-1, -0x1.abf2a5e95e6e5p-55},
        {0x1.995cf2ed80d22p-1, 0x1.7783e907fbd7bp-56},
    },
    {
        {0x1.36058b10659f3p-1, -0x1.1fcb3a35857e7p-55},
        {0x1.9777ef4c7d742p-1, -0x1.15479a240665ep-55},
    },
    {
        {0x1.3884185dfeb22p-1, -0x1.a038026abe6b2p-56},
        {0x1.958efe48e6dd7p-1, -0x1.561335da0f4e7p-55},
    },
    {
        {0x1.3affa292050b9p-1, 0x1.e3e25e3954964p-56},
        {0x1.93a22499263fbp-1, 0x1.3d419a920df0bp-55},
    },
    {
        {0x1.3d78238c58344p-1, -0x1.0219f5f0f79cep-55},
        {0x1.91b166fd49da2p-1, -0x1.3be953a7fe996p-57},
    },
    {
        {0x1.3fed9534556d4p-1, 0x1.36916608c5061p-55},
        {0x1.8fbcca3ef940dp-1, -0x1.6dfa99c86f2f1p-57},
    },
    {
        {0x1.425ff178e6bb1p-1, 0x1.7b38d675140cap-55},
        {0x1.8dc45331698ccp-1, 0x1.1d9fcd83634d7p-57},
    },
    {
        {0x1.44cf325091dd6p-1, 0x1.8076a2cfdc6b3p-57},
        {0x1.8bc806b151741p-1, -0x1.2c5e12ed1336dp-55},
    },
    {
        {0x1.473b51b987347p-1, 0x1.ca1953514e41bp-57},
        {0x1.89c7e9a4dd4aap-1, 0x1.db6ea04a8678fp-55},
    },
    {
        {0x1.49a449b9b0939p-1, -0x1.27ee16d719b94p-55},
        {0x1.87c400fba2ebfp-1, -0x1.2dabc0c3f64cdp-55},
    },
    {
        {0x1.4c0a145ec0004p-1, 0x1.2630cfafceaa1p-58},
        {0x1.85bc51ae958ccp-1, 0x1.45ba6478086ccp-55},
    },
    {
        {0x1.4e6cabbe3e5e9p-1, 0x1.3c293edceb327p-57},
        {0x1.83b0e0bff976ep-1, -0x1.6f420f8ea3475p-56},
    },
    {
        {0x1.50cc09f59a09bp-1, 0x1.693463a2c2e6fp-56},
        {0x1.81a1b33b57accp-1, -0x1.5dea12d66bb66p-55},
    },
    {
        {0x1.5328292a35596p-1, -0x1.a12eb89da0257p-56},
        {0x1.7f8ece3571771p-1, -0x1.9c8d8ce93c917p-55},
    },
    {
        {0x1.5581038975137p-1, 0x1.4570d9efe26dfp-55},
        {0x1.7d7836cc33db2p-1, 0x1.162715ef03f85p-56},
    },
    {
        {0x1.57d69348cecap-1, -0x1.75720992bfbb2p-55},
        {0x1.7b5df226aafafp-1, -0x1.0f537acdf0ad7p-56},
    },
    {
        {0x1.5a28d2a5d725p-1, 0x1.57a25f8b1343p-55},
        {0x1.79400574f55e5p-1, -0x1.0adadbdb4c65ap-55},
    },
    {
        {0x1.5c77bbe65018cp-1, 0x1.069ea9c0bc32ap-55},
        {0x1.771e75f037261p-1, 0x1.5cfce8d84068fp-56},
    },
    {
        {0x1.5ec3495837074p-1, 0x1.dea89a9b8f727p-56},
        {0x1.74f948da8d28dp-1, 0x1.19900a3b9a3a2p-63},
    },
    {
        {0x1.610b7551d2cdfp-1, -0x1.251b352ff2a37p-56},
        {0x1.72d0837efff96p-1, 0x1.0d4ef0f1d915cp-55},
    },
    {
        {0x1.63503a31c1be9p-1, 0x1.1248f09e6587cp-57},
        {0x1.70a42b3176d7ap-1, -0x1.d9e3fbe2e15ap-56},
    },
    {
        {0x1.6591925f0783dp-1, 0x1.c3d64fbf5de23p-55},
        {0x1.6e74454eaa8afp-1, -0x1.dbc03c84e226ep-55},
    },
    {
        {0x1.67cf78491af1p-1, 0x1.750ab23477b61p-59},
        {0x1.6c40d73c18275p-1, 0x1.25d4f802be257p-57},
    },
    {
        {0x1.6a09e667f3bcdp-1, -0x1.bdd3413b26456p-55},
        {0x1.6a09e667f3bcdp-1, -0x1.bdd3413b26456p-55},
    },
    {
        {0x1.6c40d73c18275p-1, 0x1.25d4f802be257p-57},
        {0x1.67cf78491af1p-1, 0x1.750ab23477b61p-59},
    },
    {
        {0x1.6e74454eaa8afp-1, -0x1.dbc03c84e226ep-55},
        {0x1.6591925f0783dp-1, 0x1.c3d64fbf5de23p-55},
    },
    {
        {0x1.70a42b3176d7ap-1, -0x1.d9e3fbe2e15ap-56},
        {0x1.63503a31c1be9p-1, 0x1.1248f09e6587cp-57},
    },
    {
        {0x1.72d0837efff96p-1, 0x1.0d4ef0f1d915cp-55},
        {0x1.610b7551d2cdfp-1, -0x1.251b352ff2a37p-56},
    },
    {
        {0x1.74f948da8d28dp-1, 0x1.19900a3b9a3a2p-63},
        {0x1.5ec3495837074p-1, 0x1.dea89a9b8f727p-56},
    },
    {
        {0x1.771e75f037261p-1, 0x1.5cfce8d84068fp-56},
        {0x1.5c77bbe65018cp-1, 0x1.069ea9c0bc32ap-55},
    },
    {
        {0x1.79400574f55e5p-1, -0x1.0adadbdb4c65ap-55},
        {0x1.5a28d2a5d725p-1, 0x1.57a25f8b1343p-55},
    },
    {
        {0x1.7b5df226aafafp-1, -0x1.0f537acdf0ad7p-56},
        {0x1.57d69348cecap-1, -0x1.75720992bfbb2p-55},
    },
    {
        {0x1.7d7836cc33db2p-1, 0x1.162715ef03f85p-56},
        {0x1.5581038975137p-1, 0x1.4570d9efe26dfp-55},
    },
    {
        {0x1.7f8ece3571771p-1, -0x1.9c8d8ce93c917p-55},
        {0x1.5328292a35596p-1, -0x1.a12eb89da0257p-56},
    },
    {
        {0x1.81a1b33b57accp-1, -0x1.5dea12d66bb66p-55},
        {0x1.50cc09f59a09bp-1, 0x1.693463a2c2e6fp-56},
    },
    {
        {0x1.83b0e0bff976ep-1, -0x1.6f420f8ea3475p-56},
        {0x1.4e6cabbe3e5e9p-1, 0x1.3c293edceb327p-57},
    },
    {
        {0x1.85bc51ae958ccp-1, 0x1.45ba6478086ccp-55},
        {0x1.4c0a145ec0004p-1, 0x1.2630cfafceaa1p-58},
    },
    {
        {0x1.87c400fba2ebfp-1, -0x1.2dabc0c3f64cdp-55},
        {0x1.49a449b9b0939p-1, -0x1.27ee16d719b94p-55},
    },
    {
        {0x1.89c7e9a4dd4aap-1, 0x1.db6ea04a8678fp-55},
        {0x1.473b51b987347p-1, 0x1.ca1953514e41bp-57},
    },
    {
        {0x1.8bc806b151741p-1, -0x1.2c5e12ed1336dp-55},
        {0x1.44cf325091dd6p-1, 0x1.8076a2cfdc6b3p-57},
    },
    {
        {0x1.8dc45331698ccp-1, 0x1.1d9fcd83634d7p-57},
        {0x1.425ff178e6bb1p-1, 0x1.7b38d675140cap-55},
    },
    {
        {0x1.8fbcca3ef940dp-1, -0x1.6dfa99c86f2f1p-57},
        {0x1.3fed9534556d4p-1, 0x1.36916608c5061p-55},
    },
    {
        {0x1.91b166fd49da2p-1, -0x1.3be953a7fe996p-57},
        {0x1.3d78238c58344p-1, -0x1.0219f5f0f79cep-55},
    },
    {
        {0x1.93a22499263fbp-1, 0x1.3d419a920df0bp-55},
        {0x1.3affa292050b9p-1, 0x1.e3e25e3954964p-56},
    },
    {
        {0x1.958efe48e6dd7p-1, -0x1.561335da0f4e7p-55},
        {0x1.3884185dfeb22p-1, -0x1.a038026abe6b2p-56},
    },
    {
        {0x1.9777ef4c7d742p-1, -0x1.15479a240665ep-55},
        {0x1.36058b10659f3p-1, -0x1.1fcb3a35857e7p-55},
    },
    {
        {0x1.995cf2ed80d22p-1, 0x1.7783e907fbd7bp-56},
        {0x1.338400d0c8e57p-1, -0x1.abf2a5e95e6e5p-55},
    },
    {
        {0x1.9b3e047f38741p-1, -0x1.30ee286712474p-55},
        {0x1.30ff7fce17035p-1, -0x1.efcc626f74a6fp-57},
    },
    {
        {0x1.9d1b1f5ea80d5p-1, 0x1.c5fadd5ffb36fp-55},
        {0x1.2e780e3e8ea17p-1, -0x1.b19fafe36587ap-55},
    },
    {
        {0x1.9ef43ef29af94p-1, 0x1.b1dfcb60445c2p-56},
        {0x1.2bedb25faf3eap-1, -0x1.14981c796ee46p-58},
    },
    {
        {0x1.a0c95eabaf937p-1, -0x1.e0ca3acbd049ap-55},
        {0x1.2960727629ca8p-1, 0x1.56d6c7af02d5cp-56},
    },
    {
        {0x1.a29a7a0462782p-1, -0x1.128bb015df175p-56},
        {0x1.26d054cdd12dfp-1, -0x1.5da743ef3770cp-55},
    },
    {
        {0x1.a4678c8119ac8p-1, 0x1.1b4c0dd3f212ap-55},
        {0x1.243d5fb98ac1fp-1, 0x1.c533d0a284a8dp-56},
    },
    {
        {0x1.a63091b02fae2p-1, -0x1.e911152248d1p-56},
        {0x1.21a799933eb59p-1, -0x1.3a7b177c68fb2p-55},
    },
    {
        {0x1.a7f58529fe69dp-1, -0x1.97a441584a179p-55},
        {0x1.1f0f08bbc861bp-1, -0x1.10d9dcafb74cbp-57},
    },
    {
        {0x1.a9b66290ea1a3p-1, 0x1.9f630e8b6dac8p-60},
        {0x1.1c73b39ae68c8p-1, 0x1.b25dd267f66p-55},
    },
    {
        {0x1.ab7325916c0d4p-1, 0x1.a8b8c85baaa9bp-55},
        {0x1.19d5a09f2b9b8p-1, -0x1.33656c68a1d4ap-57},
    },
    {
        {0x1.ad2bc9e21d511p-1, -0x1.47fbe07bea548p-55},
        {0x1.1734d63dedb49p-1, -0x1.7eef2ccc50575p-55},
    },
    {
        {0x1.aee04b43c1474p-1, -0x1.3a79a438bf8ccp-55},
        {0x1.14915af336cebp-1, 0x1.f3660558a0213p-56},
    },
    {
        {0x1.b090a581502p-1, -0x1.926da300ffccep-55},
        {0x1.11eb3541b4b23p-1, -0x1.ef23b69abe4f1p-55},
    },
    {
        {0x1.b23cd470013b4p-1, 0x1.5a1bb35ad6d2ep-56},
        {0x1.0f426bb2a8e7ep-1, -0x1.bb58fb774f8eep-55},
    },
    {
        {0x1.b3e4d3ef55712p-1, -0x1.eb6b8bf11a493p-55},
        {0x1.0c9704d5d898fp-1, -0x1.8d3d7de6ee9b2p-55},
    },
    {
        {0x1.b5889fe921405p-1, -0x1.df49b307c8602p-57},
        {0x1.09e907417c5e1p-1, -0x1.fe573741a9bd4p-55},
    },
    {
        {0x1.b728345196e3ep-1, -0x1.bc69f324e6d61p-55},
        {0x1.073879922ffeep-1, -0x1.a5a014347406cp-55},
    },
    {
        {0x1.b8c38d27504e9p-1, -0x1.1529abff40e45p-55},
        {0x1.0485626ae221ap-1, 0x1.b937d9091ff7p-55},
    },
    {
        {0x1.ba5aa673590d2p-1, 0x1.7ea4e370753b6p-55},
        {0x1.01cfc874c3eb7p-1, -0x1.34a35e7c2368cp-56},
    },
    {
        {0x1.bbed7c49380eap-1, 0x1.beacbd88500b4p-59},
        {0x1.fe2f64be7121p-2, -0x1.297ab1ca2d7dbp-56},
    },
    {
        {0x1.bd7c0ac6f952ap-1, -0x1.825a732ac700ap-55},
        {0x1.f8ba4dbf89abap-2, -0x1.2ec1fc1b776b8p-60},
    },
    {
        {0x1.bf064e15377ddp-1, 0x1.2156026a1e028p-57},
        {0x1.f3405963fd067p-2, 0x1.06846d44a238fp-56},
    },
    {
        {0x1.c08c426725549p-1, 0x1.b157fd80e2946p-58},
        {0x1.edc1952ef78d6p-2, -0x1.dd0f7c33edee6p-56},
    },
    {
        {0x1.c20de3fa971bp-1, -0x1.b4ca2bab1322cp-55},
        {0x1.e83e0eaf85114p-2, -0x1.7bc380ef24ba7p-57},
    },
    {
        {0x1.c38b2f180bdb1p-1, -0x1.6e0b1757c8d07p-56},
        {0x1.e2b5d3806f63bp-2, 0x1.e0d891d3c6841p-58},
    },
    {
        {0x1.c5042012b6907p-1, -0x1.5c058dd8eaba5p-57},
        {0x1.dd28f1481cc58p-2, -0x1.e7576fa6c944ep-59},
    },
    {
        {0x1.c678b3488739bp-1, 0x1.d86cac7c5ff5bp-57},
        {0x1.d79775b86e389p-2, 0x1.550ec87bc0575p-56},
    },
    {
        {0x1.c7e8e52233cf3p-1, 0x1.b2ad324aa35c1p-57},
        {0x1.d2016e8e9db5bp-2, -0x1.c8bce9d93efb8p-57},
    },
    {
        {0x1.c954b213411f5p-1, -0x1.2fb761e946603p-58},
        {0x1.cc66e9931c45ep-2, 0x1.6850e59c37f8fp-58},
    },
    {
        {0x1.cabc169a0b9p-1, 0x1.c42d3e10851d1p-55},
        {0x1.c6c7f4997000bp-2, -0x1.bec2669c68e74p-56},
    },
    {
        {0x1.cc1f0f3fcfc5cp-1, 0x1.e57613b68f6abp-56},
        {0x1.c1249d8011ee7p-2, -0x1.813aabb515206p-56},
    },
    {
        {0x1.cd7d9898b32f6p-1, -0x1.f2fa062496738p-57},
        {0x1.bb7cf2304bd01p-2, 0x1.9e1a5bd9269d4p-57},
    },
    {
        {0x1.ced7af43cc773p-1, -0x1.e7b6bb5ab58aep-58},
        {0x1.b5d1009e15ccp-2, 0x1.5b362cb974183p-57},
    },
    {
        {0x1.d02d4feb2bd92p-1, 0x1.195ff41bc55fep-55},
        {0x1.b020d6c7f4009p-2, 0x1.414ae7e555208p-58},
    },
    {
        {0x1.d17e7743e35dcp-1, -0x1.101da3540130ap-58},
        {0x1.aa6c82b6d3fcap-2, -0x1.d5f106ee5ccf7p-56},
    },
    {
        {0x1.d2cb220e0ef9fp-1, -0x1.f07656d4e6652p-56},
        {0x1.a4b4127dea1e5p-2, -0x1.bec6f01bc22f1p-56},
    },
    {
        {0x1.d4134d14dc93ap-1, -0x1.4ef5295d25af2p-55},
        {0x1.9ef7943a8ed8ap-2, 0x1.6da81290bdbabp-57},
    },
    {
        {0x1.d556f52e93eb1p-1, -0x1.80ed9233a963p-55},
        {0x1.993716141bdffp-2, -0x1.15e8cce261c55p-56},
    },
    {
        {0x1.d696173c9e68bp-1, -0x1.e8c61c6393d55p-56},
        {0x1.9372a63bc93d7p-2, 0x1.684319e5ad5b1p-57},
    },
    {
        {0x1.d7d0b02b8ecf9p-1, 0x1.800f4ce65cd6ep-55},
        {0x1.8daa52ec8a4bp-2, -0x1.72eb2db8c621ep-57},
    },
    {
        {0x1.d906bcf328d46p-1, 0x1.457e610231ac2p-56},
        {0x1.87de2a6aea963p-2, -0x1.72cedd3d5a61p-57},
    },
    {
        {0x1.da383a9668988p-1, -0x1.5811000b39d84p-55},
        {0x1.820e3b04eaac4p-2, -0x1.92379eb01c6b6p-59},
    },
    {
        {0x1.db6526238a09bp-1, -0x1.adee7eae6946p-56},
        {0x1.7c3a9311dcce7p-2, 0x1.9a3f21ef3e8d9p-62},
    },
    {
        {0x1.dc8d7cb41026p-1, 0x1.6b7872773830dp-56},
        {0x1.766340f2418f6p-2, 0x1.2b2adc9041b2cp-56},
    },
    {
        {0x1.ddb13b6ccc23cp-1, 0x1.83c37c6107db3p-55},
        {0x1.7088530fa459fp-2, -0x1.44b19e0864c5dp-56},
    },
    {
        {0x1.ded05f7de47dap-1, -0x1.2cc4c1f8ba966p-55},
        {0x1.6aa9d7dc77e17p-2, -0x1.38b470592c7b3p-56},
    },
    {
        {0x1.dfeae622dbe2bp-1, -0x1.514ea88425567p-55},
        {0x1.64c7ddd3f27c6p-2, 0x1.10d2b4a664121p-58},
    },
    {
        {0x1.e100cca2980acp-1, -0x1.02d182acdf825p-57},
        {0x1.5ee27379ea693p-2, 0x1.634ff2fa75245p-56},
    },
    {
        {0x1.e212104f686e5p-1, -0x1.014c76c126527p-55},
        {0x1.58f9a75ab1fddp-2, -0x1.efdc0d58cf62p-62},
    },
    {
        {0x1.e31eae870ce25p-1, -0x1.bc7094538d678p-56},
        {0x1.530d880af3c24p-2, -0x1.fab8e2103fbd6p-56},
    },
    {
        {0x1.e426a4b2bc17ep-1, 0x1.a873889744882p-55},
        {0x1.4d1e24278e76ap-2, 0x1.2417218792858p-57},
    },
    {
        {0x1.e529f04729ffcp-1, 0x1.9075d6e6dfc8bp-55},
        {0x1.472b8a5571054p-2, -0x1.01ea0fe4dff23p-56},
    },
    {
        {0x1.e6288ec48e112p-1, -0x1.16b56f2847754p-57},
        {0x1.4135c94176601p-2, 0x1.0c97c4afa2518p-56},
    },
    {
        {0x1.e7227db6a9744p-1, 0x1.2128794da5a5p-55},
        {0x1.3b3cefa0414b7p-2, 0x1.f36dc4a9c2294p-56},
    },
    {
        {0x1.e817bab4cd10dp-1, -0x1.d0afe686b5e0ap-56},
        {0x1.35410c2e18152p-2, -0x1.3cb002f96e062p-56},
    },
    {
        {0x1.e9084361df7f2p-1, 0x1.cdfc7ce9dc3e9p-55},
        {0x1.2f422daec0387p-2, -0x1.7501ba473da6fp-56},
    },
    {
        {0x1.e9f4156c62ddap-1, 0x1.760b1e2e3f81ep-55},
        {0x1.294062ed59f06p-2, -0x1.5d28da2c4612dp-56},
    },
    {
        {0x1.eadb2e8e7a88ep-1, -0x1.92ec52ea226a3p-55},
        {0x1.233bbabc3bb71p-2, 0x1.99b04e23259efp-56},
    },
    {
        {0x1.ebbd8c8df0b74p-1, 0x1.c6c8c615e7277p-56},
        {0x1.1d3443f4cdb3ep-2, -0x1.720d41c13519ep-57},
    },
    {
        {0x1.ec9b2d3c3bf84p-1, 0x1.19119d358de05p-56},
        {0x1.172a0d7765177p-2, 0x1.22575f33366bep-57},
    },
    {
        {0x1.ed740e7684963p-1, 0x1.e82c791f59cc2p-56},
        {0x1.111d262b1f677p-2, 0x1.824c20ab7aa9ap-56},
    },
    {
        {0x1.ee482e25a9dbcp-1, -0x1.b6066ef81af2ap-56},
        {0x1.0b0d9cfdbdb9p-2, 0x1.3b3a7b8d1200dp-58},
    },
    {
        {0x1.ef178a3e473c2p-1, 0x1.6310a67fe774fp-55},
        {0x1.04fb80e37fdaep-2, -0x1.412cdb72583ccp-63},
    },
    {
        {0x1.efe220c0b95ecp-1, 0x1.c853b7bf7e0cdp-55},
        {0x1.fdcdc1adfedf9p-3, -0x1.2dba4580ed7bbp-57},
    },
    {
        {0x1.f0a7efb9230d7p-1, 0x1.52c7adc6b4989p-56},
        {0x1.f19f97b215f1bp-3, -0x1.42deef11da2c4p-57},
    },
    {
        {0x1.f168f53f7205dp-1, -0x1.26a6c1f015601p-57},
        {0x1.e56ca1e101a1bp-3, 0x1.46ac3f9fd0227p-57},
    },
    {
        {0x1.f2252f7763adap-1, -0x1.20cb81c8d94abp-55},
        {0x1.d934fe5454311p-3, 0x1.75b92277107adp-57},
    },
    {
        {0x1.f2dc9c9089a9dp-1, 0x1.5407460bdfc07p-59},
        {0x1.ccf8cb312b286p-3, 0x1.2382b0aecadf8p-58},
    },
    {
        {0x1.f38f3ac64e589p-1, -0x1.d7bafb51f72e6p-56},
        {0x1.c0b826a7e4f63p-3, -0x1.af1439e521935p-62},
    },
    {
        {0x1.f43d085ff92ddp-1, -0x1.8fde71e361c05p-55},
        {0x1.b4732ef3d6722p-3, 0x1.bbe5d5d75cbd8p-57},
    },
    {
        {0x1.f4e603b0b2f2dp-1, -0x1.8ee01e695ac05p-56},
        {0x1.a82a025b00451p-3, -0x1.87905ffd084adp-57},
    },
    {
        {0x1.f58a2b1789e84p-1, 0x1.1f4a188aa368p-56},
        {0x1.9bdcbf2dc4366p-3, 0x1.9632d189956fep-57},
    },
    {
        {0x1.f6297cff75cbp-1, 0x1.562172a361fd3p-56},
        {0x1.8f8b83c69a60bp-3, -0x1.26d19b9ff8d82p-57},
    },
    {
        {0x1.f6c3f7df5bbb7p-1, 0x1.8561ce9d5ef5bp-56},
        {0x1.83366e89c64c6p-3, -0x1.192952df10db8p-57},
    },
    {
        {0x1.f7599a3a12077p-1, 0x1.84f31d743195cp-55},
        {0x1.76dd9de50bf31p-3, 0x1.1d5eeec501b2fp-57},
    },
    {
        {0x1.f7ea629e63d6ep-1, 0x1.ba92d57ebfeddp-55},
        {0x1.6a81304f64ab2p-3, 0x1.f0cd73fb5d8d4p-58},
    },
    {
        {0x1.f8764fa714ba9p-1, 0x1.ab256778ffcb6p-56},
        {0x1.5e214448b3fc6p-3, 0x1.531ff779ddac6p-57},
    },
    {
        {0x1.f8fd5ffae41dbp-1, -0x1.8cfd77fd970d2p-56},
        {0x1.51bdf8597c5f2p-3, -0x1.9f9976af04aa5p-61},
    },
    {
        {0x1.f97f924c9099bp-1, -0x1.e2ae0eea5963bp-55},
        {0x1.45576b1293e5ap-3, -0x1.285a24119f7b1p-58},
    },
    {
        {0x1.f9fce55adb2c8p-1, 0x1.f2a06fab9f9d1p-56},
        {0x1.38edbb0cd8d14p-3, -0x1.198c21fbf7718p-57},
    },
    {
        {0x1.fa7557f08a517p-1, -0x1.7a0a8ca13571fp-55},
        {0x1.2c8106e8e613ap-3, 0x1.13000a89a11ep-58},
    },
    {
        {0x1.fae8e8e46cfbbp-1, -0x1.3a9e414732d97p-56},
        {0x1.20116d4ec7bcfp-3, -0x1.242c8e1053452p-57},
    },
    {
        {0x1.fb5797195d741p-1, 0x1.1bfac7397cc08p-56},
        {0x1.139f0cedaf577p-3, -0x1.523434d1b3cfap-57},
    },
    {
        {0x1.fbc1617e44186p-1, -0x1.58ec496dc4ecbp-59},
        {0x1.072a047ba831dp-3, 0x1.19db1f70118cap-58},
    },
    {
        {0x1.fc26470e19fd3p-1, 0x1.1ec8668ecaceep-55},
        {0x1.f564e56a9730ep-4, 0x1.a2704729ae56dp-59},
    },
    {
        {0x1.fc8646cfeb721p-1, 0x1.3143dc43a9b9dp-55},
        {0x1.dc70ecbae9fc9p-4, 0x1.2fda2d73295eep-60},
    },
    {
        {0x1.fce15fd6da67bp-1, -0x1.5dd6f830d4c09p-56},
        {0x1.c3785c79ec2d5p-4, -0x1.4f39df133fb21p-61},
    },
    {
        {0x1.fd37914220b84p-1, 0x1.52e9d7b772791p-55},
        {0x1.aa7b724495c03p-4, 0x1.e5399ba0967b8p-58},
    },
    {
        {0x1.fd88da3d12526p-1, -0x1.87df6378811c7p-55},
        {0x1.917a6bc29b42cp-4, -0x1.e2718d26ed688p-60},
    },
    {
        {0x1.fdd539ff1f456p-1, -0x1.ab13cbbec1781p-56},
        {0x1.787586a5d5b21p-4, 0x1.5f7589f083399p-58},
    },
    {
        {0x1.fe1cafcbd5b09p-1, 0x1.a23e3202a884ep-57},
        {0x1.5f6d00a9aa419p-4, -0x1.f4022d03f6c9ap-59},
    },
    {
        {0x1.fe5f3af2e394p-1, 0x1.b213f18c9cf17p-55},
        {0x1.4661179272096p-4, -0x1.4b109f2406c4cp-58},
    },
    {
        {0x1.fe9cdad01883ap-1, 0x1.521ecd0c67e35p-57},
        {0x1.2d52092ce19f6p-4, -0x1.9a088a8bf6b2cp-59},
    },
    {
        {0x1.fed58ecb673c4p-1, -0x1.e6e462a7ae686p-56},
        {0x1.1440134d709b3p-4, -0x1.fec446daea6adp-58},
    },
    {
        {0x1.ff095658e71adp-1, 0x1.01a8ce18a4b9ep-55},
        {0x1.f656e79f820ep-5, -0x1.2e1ebe392bffep-61},
    },
    {
        {0x1.ff3830f8d575cp-1, -0x1.95e1e79d335f7p-56},
        {0x1.c428d12c0d7e3p-5, -0x1.89bc74b58c513p-60},
    },
    {
        {0x1.ff621e3796d7ep-1, -0x1.c57bc2e24aa15p-57},
        {0x1.91f65f10dd814p-5, -0x1.912bd0d569a9p-61},
    },
    {
        {0x1.ff871dadb81dfp-1, 0x1.8b1c676208aa4p-56},
        {0x1.5fc00d290cd43p-5, 0x1.a2669a693a8e1p-59},
    },
    {
        {0x1.ffa72effef75dp-1, -0x1.8b4cdcdb25956p-55},
        {0x1.2d865759455cdp-5, 0x1.686f65ba93acp-61},
    },
    {
        {0x1.ffc251df1d3f8p-1, 0x1.7a7d209f32d43p-56},
        {0x1.f693731d1cf01p-6, -0x1.3fe9bc66286c7p-66},
    },
    {
        {0x1.ffd886084cd0dp-1, -0x1.1354d4556e4cbp-55},
        {0x1.92155f7a3667ep-6, -0x1.b1d63091a013p-64},
    },
    {
        {0x1.ffe9cb44b51a1p-1, 0x1.5b43366df667p-56},
        {0x1.2d936bbe30efdp-6, 0x1.b5f91ee371d64p-61},
    },
    {
        {0x1.fff62169b92dbp-1, 0x1.5dda3c81fbd0dp-55},
        {0x1.921d1fcdec784p-7, 0x1.9878ebe836d9dp-61},
    },
    {
        {0x1.fffd8858e8a92p-1, 0x1.359c71883bcf7p-55},
        {0x1.921f0fe670071p-8, 0x1.ab967fe6b7a9bp-64},
    },
};

DoubleDouble const kArcTangentTable[kArcTableSize] = {
    {0x0p+0, 0x0p+0},
    {0x1.ffff5555bbbb7p-9, 0x1.4bb12afb6b6d5p-64},
    {0x1.fffd555bbba97p-8, 0x1.68062351fbbe6p-63},
    {0x1.7ffb80184c30ap-7, -0x1.725017508234bp-61},
    {0x1.fff555bbb729bp-7, -0x1.220c39d4dff5p-61},
    {0x1.3ff595f18a7p-6, -0x1.213eac36cfb2cp-60},
    {0x1.7fee0184a5c36p-6, -0x1.43189fc0a354bp-60},
    {0x1.bfe36df291712p-6, -0x1.e1bec7756100ep-61},
    {0x1.ffd55bba97625p-6, -0x1.5ec431444912cp-60},
    {0x1.1fe1a5c2ec497p-5, 0x1.886091e8fc4cbp-59},
    {0x1.3fd65f169c9d9p-5, 0x1.7230a716461b5p-61},
    {0x1.5fc89a5fa3b2dp-5, 0x1.2bb73bf4e7f99p-59},
    {0x1.7fb818430da2ap-5, -0x1.86ef8f794f105p-63},
    {0x1.9fa49986984dfp-5, 0x1.322907af0abc2p-59},
    {0x1.bf8ddf139c444p-5, -0x1.89fe34b2a7fa8p-59},
    {0x1.df73a9f9f1882p-5, -0x1.251b5c410bcb4p-62},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.0f99ea71d52a7p-4, -0x1.2069feec3624fp-61},
    {0x1.1f86dbf082d59p-4, -0x1.095dc7732ef81p-59},
    {0x1.2f719318a4a9ap-4, 0x1.3fd1779b9801fp-63},
    {0x1.3f59f0e7c559dp-4, 0x1.ac4ce285df847p-58},
    {0x1.4f3fd677292fbp-4, 0x1.008d36264979ep-59},
    {0x1.5f2324fd2d7b2p-4, 0x1.8a8da4401318ep-58},
    {0x1.6f03bdcea4b0dp-4, -0x1.3f00e512fa17dp-60},
    {0x1.7ee182602f10fp-4, -0x1.cfb654c0c3d98p-58},
    {0x1.8ebc54478fb28p-4, 0x1.732880cad24ccp-59},
    {0x1.9e94153cfdcf1p-4, 0x1.a332e1d69c47ep-58},
    {0x1.ae68a71c722b8p-4, 0x1.c014e6910b9dbp-59},
    {0x1.be39ebe6f07c3p-4, 0x1.f7b8f29a05987p-58},
    {0x1.ce07c5c3cca32p-4, 0x1.138e6425918a7p-59},
    {0x1.ddd21701eba6ep-4, 0x1.94effcd76fe58p-58},
    {0x1.ed98c2190043bp-4, -0x1.3a598592c7b13p-61},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.068d584212b3ep-3, -0x1.9e2d283019bfdp-57},
    {0x1.0e6adccf40882p-3, -0x1.d71a31bb98d0dp-57},
    {0x1.164654106085p-3, 0x1.6bcee8ae7ea92p-57},
    {0x1.1e1fafb043727p-3, -0x1.b485914dacf8cp-59},
    {0x1.25f6e171a535cp-3, 0x1.7c6d7bde1a31p-57},
    {0x1.2dcbdb2fba1ffp-3, 0x1.8f28705561534p-58},
    {0x1.359e8edeb99a4p-3, -0x1.a5fd74e4604c6p-57},
    {0x1.3d6eee8c6626cp-3, 0x1.61a3b0ce9281bp-57},
    {0x1.453cec6092a9ep-3, 0x1.1f653b3a5a78bp-57},
    {0x1.4d087a9da4f17p-3, 0x1.1f323f1adf158p-57},
    {0x1.54d18ba11570ap-3, 0x1.18282f2884073p-57},
    {0x1.5c9811e3ec26ap-3, -0x1.054ab2c010f3dp-58},
    {0x1.645bfffb3aa74p-3, -0x1.f536b677c2cb4p-60},
    {0x1.6c1d4898933d9p-3, -0x1.2954a7603c427p-58},
    {0x1.73dbde8a7d202p-3, -0x1.5ad0f6d4a665dp-58},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.8350be398ebc8p-3, -0x1.5a91332b9c90dp-58},
    {0x1.8b06ee2879c29p-3, -0x1.118cd30308c4fp-57},
    {0x1.92ba37d050272p-3, -0x1.0d3ded0ff4764p-57},
    {0x1.9a6a8e96c8626p-3, 0x1.cf601e7b4348ep-59},
    {0x1.a217e601081a6p-3, -0x1.0def8a60af374p-57},
    {0x1.a9c231b403279p-3, 0x1.0e8bbe89cca85p-57},
    {0x1.b1696574d780cp-3, -0x1.85ab8fc15a673p-58},
    {0x1.b90d7529260a2p-3, 0x1.17b10d2e0e5abp-61},
    {0x1.c0ae54d768467p-3, -0x1.04cdbf55f26dcp-57},
    {0x1.c84bf8a742e6ep-3, -0x1.95bdd0682ea26p-58},
    {0x1.cfe654e1d5395p-3, 0x1.47b9a3f71eafbp-57},
    {0x1.d77d5df205736p-3, 0x1.c648d1534597ep-57},
    {0x1.df110864c9d9ep-3, -0x1.5818b53bf4781p-60},
    {0x1.e6a148e96ec4dp-3, 0x1.866b22029f765p-57},
    {0x1.ee2e1451d980dp-3, -0x1.9a7708c46ba91p-58},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.fd3d1fc40dbe4p-3, 0x1.37146f3a1c5eap-59},
    {0x1.025fa510665b6p-2, -0x1.672df6832fa48p-56},
    {0x1.061eea03d6291p-2, -0x1.5f760db154301p-59},
    {0x1.09dc597d86362p-2, 0x1.62e47390cb865p-56},
    {0x1.0d97ee509acb3p-2, 0x1.47c317bd5a3ebp-56},
    {0x1.1151a362431cap-2, -0x1.4dc8dc9077b9fp-56},
    {0x1.150973a9ce547p-2, -0x1.796ba7f9ca328p-56},
    {0x1.18bf5a30bf178p-2, 0x1.30ca4748b1bf9p-57},
    {0x1.1c735212dd884p-2, -0x1.7d9ac78cb2f2ep-57},
    {0x1.2025567e47c96p-2, -0x1.1832328f4290ep-57},
    {0x1.23d562b381042p-2, -0x1.c531716200088p-58},
    {0x1.278372057ef46p-2, -0x1.077cdd36dfc81p-56},
    {0x1.2b2f7fd9b5fe2p-2, 0x1.423cfc1c2d443p-61},
    {0x1.2ed987a823cfep-2, 0x1.b91258ea012cap-57},
    {0x1.328184fb58952p-2, -0x1.a95f0a9939f2fp-56},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.39cb4eb76157cp-2, -0x1.2f4da5a214713p-56},
    {0x1.3d6d129271134p-2, 0x1.137ca41cc958ap-56},
    {0x1.410cbad6c7d33p-2, -0x1.b0c8bae13b512p-56},
    {0x1.44aa436c2af0ap-2, -0x1.5d5e43c55b3bap-56},
    {0x1.4845a84d0c21bp-2, 0x1.1e28a7563c6a6p-56},
    {0x1.4bdee586890e7p-2, -0x1.e4dc77c22a757p-57},
    {0x1.4f75f73869979p-2, -0x1.95a1cf7ff1108p-58},
    {0x1.530ad9951cd4ap-2, -0x1.2566480884082p-57},
    {0x1.569d88e1b4cd8p-2, -0x1.fec61e713cfe2p-57},
    {0x1.5a2e0175e0f4ep-2, 0x1.13b7a8f82e457p-56},
    {0x1.5dbc3fbbe768dp-2, 0x1.ea0ec1b76f7dap-57},
    {0x1.614840309cfe2p-2, -0x1.a725715711fp-56},
    {0x1.64d1ff635c1c6p-2, -0x1.fa403e7c0fdbep-56},
    {0x1.685979f5fa6fep-2, -0x1.257814d1ada9cp-59},
    {0x1.6bdeac9cbd76dp-2, -0x1.a5c563e6de828p-58},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.72e22d53aa2aap-2, -0x1.d9c934e79f27cp-56},
    {0x1.7660752817502p-2, -0x1.dd11791cc76p-59},
    {0x1.79dc6899118d1p-2, 0x1.b7413a0ef606dp-61},
    {0x1.7d5604b63b3f7p-2, 0x1.69c885c2b249ap-56},
    {0x1.80cd46a14b1d1p-2, -0x1.e79f99684fa19p-56},
    {0x1.84422b8df95d7p-2, 0x1.d76a0299b41b6p-56},
    {0x1.87b4b0c1ebedcp-2, -0x1.6dcfaa2fa470fp-56},
    {0x1.8b24d394a1b25p-2, 0x1.b6d0ba3748fa8p-56},
    {0x1.8e92916f5cde8p-2, 0x1.4c0a7e12bfafbp-56},
    {0x1.91fde7cd0c662p-2, 0x1.1074188054b53p-56},
    {0x1.9566d43a34907p-2, 0x1.9b01537e0af2bp-57},
    {0x1.98cd5454d6b18p-2, 0x1.9e6c988fd0a77p-56},
    {0x1.9c3165cc58107p-2, 0x1.b669602250cfbp-59},
    {0x1.9f93066168002p-2, -0x1.c827047c9439ap-56},
    {0x1.a2f233e5e530bp-2, 0x1.814d5f797086bp-58},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.a9a92d59e98cfp-2, 0x1.2e42dff75d817p-59},
    {0x1.ad00f5422058bp-2, 0x1.fc4c33891d2e8p-56},
    {0x1.b056420ae9344p-2, -0x1.9313946363455p-56},
    {0x1.b3a911da65c6cp-2, 0x1.ae187b1ca504p-56},
    {0x1.b6f962e737efcp-2, -0x1.ca53464981e71p-58},
    {0x1.ba473378624a5p-2, 0x1.519a1b46e4affp-56},
    {0x1.bd9281e528192p-2, -0x1.4b15439af6b66p-56},
    {0x1.c0db4c94ec9fp-2, -0x1.cc1ce70934c34p-56},
    {0x1.c42191ff11eb7p-2, -0x1.b17df434b3eeep-56},
    {0x1.c76550aad71f9p-2, -0x1.74b8bff7043e4p-56},
    {0x1.caa6872f3631bp-2, 0x1.9506781636f48p-61},
    {0x1.cde53432c1351p-2, -0x1.a2cfa4418f1adp-56},
    {0x1.d121566b7f2adp-2, 0x1.be67835886c3p-56},
    {0x1.d45aec9ec862bp-2, 0x1.89421163ef92dp-57},
    {0x1.d791f5a1226f5p-2, -0x1.4017ea5b64a76p-57},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.ddf85bb026974p-2, 0x1.43bbb0c0a1226p-57},
    {0x1.e127b6b0744bp-2, -0x1.2b0986398d4abp-58},
    {0x1.e4548066cf51ap-2, 0x1.3a3aa12ce98f2p-59},
    {0x1.e77eb7f175a34p-2, 0x1.0e53dc1bf3435p-56},
    {0x1.eaa65c7cf28c4p-2, 0x1.2fb2ceca3bf05p-57},
    {0x1.edcb6d43f8435p-2, -0x1.fc976330884e4p-58},
    {0x1.f0ede98f393dp-2, -0x1.2f40a87cb1894p-56},
    {0x1.f40dd0b541418p-2, -0x1.a3992dc382a23p-57},
    {0x1.f72b221a4e495p-2, 0x1.489c20f7eb74p-58},
    {0x1.fa45dd3029259p-2, -0x1.ca563dc28d8b5p-56},
    {0x1.fd5e0175fdf83p-2, 0x1.3a87b1ec49b15p-57},
    {0x1.0039c73c1a40cp-1, -0x1.b32c949c9d593p-55},
    {0x1.01c341e82422dp-1, 0x1.3db44fcca90eep-55},
    {0x1.034b709250488p-1, 0x1.8f9b38d85541p-56},
    {0x1.04d25314342e6p-1, -0x1.1c8636442c767p-55},
    {0x1.0657e94db30dp-1, -0x1.d5b495f6349e6p-56},
    {0x1.07dc3324e9b38p-1, 0x1.b70c9e04450acp-56},
    {0x1.095f30861a59p-1, -0x1.121b20a15a9f3p-56},
    {0x1.0ae0e1639866cp-1, 0x1.075abf2de445ap-56},
    {0x1.0c6145b5b43dap-1, 0x1.974fa13b5404fp-58},
    {0x1.0de05d7aa6f7dp-1, -0x1.83684b1c529abp-56},
    {0x1.0f5e28b67e295p-1, 0x1.311b17ec990dp-65},
    {0x1.10daa77307a0dp-1, 0x1.69c33d44c7b05p-55},
    {0x1.1255d9bfbd2a9p-1, -0x1.2bdaee1c0ee35p-58},
    {0x1.13cfbfb1b056ep-1, 0x1.3110e6fc3ed38p-55},
    {0x1.154859637646ap-1, -0x1.4ba7c548bf3c3p-55},
    {0x1.16bfa6f5137e1p-1, 0x1.9606fe141bd35p-56},
    {0x1.1835a88be7c13p-1, 0x1.c621cec00c301p-55},
    {0x1.19aa5e5299f9ap-1, -0x1.a606c2c58f835p-55},
    {0x1.1b1dc87904285p-1, -0x1.21e8c8aef8f29p-57},
    {0x1.1c8fe7341f64fp-1, 0x1.28bbc9d5e792ap-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.1f7043557138ap-1, 0x1.6c659f6d7dd47p-56},
    {0x1.20de813e823b2p-1, -0x1.791d753ebb744p-55},
    {0x1.224b74c1d192ap-1, 0x1.d6d3df88a60c4p-55},
    {0x1.23b71e2cc9e6ap-1, 0x1.c421c9f38224ep-57},
    {0x1.25217dd17e501p-1, 0x1.56aa88c1b679cp-55},
    {0x1.268a940696da6p-1, 0x1.d1348a04c73ccp-58},
    {0x1.27f261273d1b3p-1, 0x1.43bf36151dd9fp-55},
    {0x1.2958e59308e31p-1, -0x1.09e73b0c6c087p-56},
    {0x1.2abe21aded073p-1, 0x1.c28c001ad022ep-55},
    {0x1.2c2215e024466p-1, -0x1.4b810da3a4be1p-59},
    {0x1.2d84c2961e48cp-1, -0x1.f25420a36e506p-56},
    {0x1.2ee628406cbcap-1, 0x1.c5d5e9ff0cf8dp-55},
    {0x1.30464753b090bp-1, -0x1.3e71261da18f3p-56},
    {0x1.31a52048874bep-1, 0x1.40cab87a7ac24p-55},
    {0x1.3302b39b78856p-1, 0x1.5dd2ed87ba82bp-55},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.35ba0b60ecccep-1, 0x1.e3ba19b9368b9p-55},
    {0x1.3713d0df6c504p-1, -0x1.4f789e031606dp-58},
    {0x1.386c52d3db11fp-1, -0x1.b78e1cbebe6ap-55},
    {0x1.39c391cd4171ap-1, -0x1.2304331d8bf46p-55},
    {0x1.3b198e5e2564bp-1, -0x1.2f9221f0752acp-56},
    {0x1.3c6e491c78dc5p-1, -0x1.e145094fd0ba7p-55},
    {0x1.3dc1c2a188504p-1, 0x1.2ce6370f4e971p-55},
    {0x1.3f13fb89e96f4p-1, 0x1.ecf8b492644fp-56},
    {0x1.4064f47569f49p-1, -0x1.aad88f91bf2b2p-55},
    {0x1.41b4ae06fea41p-1, 0x1.3d60a53277652p-57},
    {0x1.430328e4b26d6p-1, -0x1.131591070b99fp-55},
    {0x1.445065b795b56p-1, -0x1.f76d0163f79c8p-56},
    {0x1.459c652badc7fp-1, 0x1.199698e8e135cp-55},
    {0x1.46e727efe4716p-1, -0x1.39b9b1b844cc9p-57},
    {0x1.4830aeb5f7bfep-1, -0x1.a265666764a73p-58},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.4ac00b1c71762p-1, 0x1.b20e72382b9p-55},
    {0x1.4c05e22de94e5p-1, -0x1.c0ac1f09f2edfp-55},
    {0x1.4d4a8023414e8p-1, 0x1.e3a891daa88bp-57},
    {0x1.4e8de5bb6ec04p-1, 0x1.4a33dbeb3796cp-55},
    {0x1.4fd013b7dd17ep-1, 0x1.d513f3e7c24b5p-56},
    {0x1.51110adc5ed81p-1, 0x1.23dcd6832a63ep-56},
    {0x1.5250cbef1e9fbp-1, -0x1.539b7a322887p-58},
    {0x1.538f57b89061fp-1, -0x1.1bb74abda520cp-55},
    {0x1.54ccaf0362c8fp-1, 0x1.8a3247f8f43c1p-55},
    {0x1.5608d29c70c34p-1, 0x1.9939cf0de8088p-55},
    {0x1.5743c352b33bap-1, -0x1.ea00d34c87ea6p-55},
    {0x1.587d81f732fbbp-1, -0x1.5e5c9d8c5a95p-56},
    {0x1.59b60f5cfab9ep-1, -0x1.1b04c41026bc5p-55},
    {0x1.5aed6c5909517p-1, 0x1.7312f714a9436p-55},
    {0x1.5c2399c244261p-1, -0x1.31bd4e9e56b35p-55},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.5e8c6941043dp-1, -0x1.0bf75be451e7p-56},
    {0x1.5fbf0d0d5cc4ap-1, -0x1.b4cfd000b7158p-58},
    {0x1.60f084b46e05fp-1, -0x1.dbb8699945193p-55},
    {0x1.6220d115d7b8ep-1, -0x1.2b785350ee8c1p-57},
    {0x1.634ff312d1f3bp-1, 0x1.9d2f315f2b598p-55},
    {0x1.647deb8e20b9p-1, -0x1.eca04023a51cfp-58},
    {0x1.65aabb6c07b03p-1, -0x1.7939b3af32729p-57},
    {0x1.66d663923e087p-1, -0x1.6ea6febe8bbbap-56},
    {0x1.6800e4e7e2858p-1, -0x1.8ea6a1b3e90fp-58},
    {0x1.692a40556fb6ap-1, 0x1.d94b95a8ea2ccp-55},
    {0x1.6a5276c4b0576p-1, -0x1.f6b659c46a69ep-55},
    {0x1.6b798920b3d99p-1, -0x1.a80386188c50ep-55},
    {0x1.6c9f7855c3198p-1, 0x1.c09de29bd280dp-56},
    {0x1.6dc44551553afp-1, -0x1.bf8863573828ep-58},
    {0x1.6ee7f10204aefp-1, 0x1.692eea3066272p-55},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.712be84295198p-1, 0x1.5cd90337d8881p-55},
    {0x1.724c35b4fae7bp-1, 0x1.948b32db3499bp-58},
    {0x1.736b65a172dffp-1, 0x1.775fd06a892d1p-56},
    {0x1.748978fba8e0fp-1, 0x1.7b2a6165884a1p-59},
    {0x1.75a670b82d8d8p-1, 0x1.ee4ac4c729087p-55},
    {0x1.76c24dcc6c6cp-1, 0x1.1952551adc83dp-55},
    {0x1.77dd112ea22c7p-1, 0x1.732608fc10d3dp-55},
    {0x1.78f6bbd5d315ep-1, 0x1.406a08980374p-55},
    {0x1.7a0f4eb9c19a2p-1, 0x1.13c67cd815f57p-57},
    {0x1.7b26cad2e50fep-1, -0x1.ce80df30411fbp-55},
    {0x1.7c3d311a6092bp-1, 0x1.bb3cb2d303288p-55},
    {0x1.7d528289fa093p-1, 0x1.560821e2f3aa9p-55},
    {0x1.7e66c01c114fep-1, -0x1.c82b88b760b8dp-55},
    {0x1.7f79eacb97898p-1, 0x1.fd5ca80ead221p-55},
    {0x1.808c03940694bp-1, -0x1.00f327715f6a5p-55},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.82ad036000005p-1, 0x1.4592fce924d24p-56},
    {0x1.83bbec5cdee22p-1, 0x1.3107104ffc6c3p-57},
    {0x1.84c9c7653f7ebp-1, -0x1.83611fe0a3e8fp-60},
    {0x1.85d69576cc2c5p-1, 0x1.6b66e7fc8b8c3p-57},
    {0x1.86e2578f87ae5p-1, 0x1.022b1375cfe34p-55},
    {0x1.87ed0eadc5a2ap-1, 0x1.0af5ad957f4bcp-56},
    {0x1.88f6bbd023119p-1, -0x1.32d1d25aba66p-58},
    {0x1.89ff5ff57f1f8p-1, -0x1.55b9a5e177a1bp-55},
    {0x1.8b06fc1cf3dffp-1, -0x1.0fb312656db6dp-55},
    {0x1.8c0d9145cf49dp-1, 0x1.bea4076dc4333p-55},
    {0x1.8d13206f8c4cbp-1, -0x1.b018cbaa89a8bp-56},
    {0x1.8e17aa99cc05ep-1, -0x1.ec182ab042f61p-56},
    {0x1.8f1b30c44f167p-1, 0x1.dd1cab93933fdp-57},
    {0x1.901db3eeef187p-1, 0x1.68665e5603c8fp-55},
    {0x1.911f35199833bp-1, 0x1.3ae8a0edbf522p-57},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

DoubleDouble const kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
DoubleDouble const kPi = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};

}  // namespace gte::math
