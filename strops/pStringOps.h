#pragma once

class pStringOps
{
};
